#include "common/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/file.h>

namespace zorv {

namespace {

constexpr mode_t kLockFileMode = 0640;

} // namespace

std::string canonicalFilePath(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path), ec);
    if (ec)
        return fs::absolute(path).lexically_normal().string();
    return resolved.string();
}

std::mutex& processMutexFor(const std::string& canonicalPath)
{
    static std::mutex registryMutex;
    static std::map<std::string, std::unique_ptr<std::mutex>> registry;

    std::lock_guard<std::mutex> guard(registryMutex);
    auto& slot = registry[canonicalPath];
    if (!slot)
        slot = std::make_unique<std::mutex>();
    return *slot;
}

FileLock::FileLock(const std::string& lockPath)
    : fd_(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode))
{
    if (!fd_.valid())
        throwErrno("cannot open lock file " + lockPath);
    while (::flock(fd_.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            throwErrno("cannot lock " + lockPath);
    }
}

FileLock::~FileLock()
{
    ::flock(fd_.get(), LOCK_UN);
}

ExclusiveFileAccess::ExclusiveFileAccess(const std::string& canonicalPath)
    : threads_(processMutexFor(canonicalPath)), processes_(canonicalPath + ".lock")
{
}

} // namespace zorv
