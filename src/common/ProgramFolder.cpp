#include "common/ProgramFolder.h"

#include <mutex>

namespace zorv {

namespace {

namespace fs = std::filesystem;

/// Set once at start-up, before any session thread exists (see the header),
/// so reads need no lock; only the lazily found default is guarded.
fs::path& configuredFolder()
{
    static fs::path folder;
    return folder;
}

const fs::path& executableFolder()
{
    static std::once_flag once;
    static fs::path folder;
    std::call_once(once, [] {
        std::error_code ec;
        fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        folder = ec ? fs::current_path() : exe.parent_path();
    });
    return folder;
}

std::string inProgramFolder(const char* fileName)
{
    return (programFolder() / fileName).string();
}

} // namespace

void setProgramFolder(const fs::path& home)
{
    configuredFolder() = fs::absolute(home).lexically_normal();
}

const fs::path& programFolder()
{
    const fs::path& folder = configuredFolder();
    return folder.empty() ? executableFolder() : folder;
}

std::string zorvwebIniPath()
{
    return inProgramFolder("zorvweb.ini");
}

std::string debugIniPath()
{
    return inProgramFolder("zorvwebdebug.ini");
}

std::string errorIniPath()
{
    return inProgramFolder("ZorvError.ini");
}

} // namespace zorv
