#include "server/PrivFolders.h"

#include "common/Text.h"

#include <cerrno>
#include <fcntl.h>
#include <fmt/format.h>
#include <fstream>
#include <limits>
#include <optional>
#include <signal.h>
#include <stdexcept>
#include <stdio.h>
#include <system_error>
#include <unistd.h>

namespace zorv::server {

namespace fs = std::filesystem;

namespace {

constexpr int kFirstFolderNumber = 100;
constexpr int kLastFolderNumber = 9999;

/// A folder value from the INI file names one folder inside PRIV, never a path,
/// so the clean-up can never reach outside PRIV.
void checkFolderValue(const char* key, const std::string& value) {
    const bool leavesPriv =
        value.find('/') != std::string::npos || value.find("..") != std::string::npos;
    if (leavesPriv)
        throw std::invalid_argument(
            fmt::format("zorvweb.ini [Program] {}={} must be a plain folder name", key, value));
}

std::optional<pid_t> readLockOwner(const fs::path& folder) {
    std::ifstream in(folder / kPrivateLockFile);
    std::string text;
    if (!in || !std::getline(in, text))
        return std::nullopt;
    const std::optional<long long> pid = parseWholeNumber(text);
    if (!pid || *pid <= 0 || *pid > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    return static_cast<pid_t>(*pid);
}

bool isProcessAlive(pid_t pid) {
    // EPERM: the process exists but belongs to another user.
    return kill(pid, 0) == 0 || errno != ESRCH;
}

/// Deletes folder with everything in it (upload sub-folders included);
/// symbolic links are removed, never followed. Failures are ignored.
void removeFolder(const fs::path& folder) {
    std::error_code ec;
    fs::remove_all(folder, ec);
}

/// Creates target already holding our lock file: the folder is built under a
/// temporary name and renamed without replacing, so no other process ever sees
/// it unlocked or claims the same name. False when target exists.
bool claimFolder(const fs::path& target) {
    const fs::path staging =
        target.parent_path() / fmt::format(".claim-{}-{}", getpid(), target.filename().string());
    removeFolder(staging); // left by a crashed process that had our id
    fs::create_directory(staging);
    {
        std::ofstream lock(staging / kPrivateLockFile, std::ios::trunc);
        lock << getpid() << '\n';
        if (!lock.flush()) {
            removeFolder(staging);
            throw std::runtime_error("cannot write the lock file in " + staging.string());
        }
    }
    if (renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    const int error = errno;
    removeFolder(staging);
    if (error == EEXIST)
        return false;
    throw std::system_error(error, std::generic_category(), "cannot create " + target.string());
}

} // namespace

bool isLockedByLiveProcess(const fs::path& folder) {
    const auto owner = readLockOwner(folder);
    return owner && isProcessAlive(*owner);
}

fs::path preparePrivateFolder(const fs::path& home, const std::string& privdirNew,
                              const std::string& privdir) {
    checkFolderValue("PrivdirNew", privdirNew);
    checkFolderValue("Privdir", privdir);
    const fs::path priv = home / "PRIV";
    fs::create_directories(priv / privdirNew);

    for (int n = kFirstFolderNumber; n <= kLastFolderNumber; ++n) {
        const fs::path folder = priv / (privdir + std::to_string(n));
        if (fs::exists(folder)) {
            if (!isLockedByLiveProcess(folder))
                removeFolder(folder);
            continue;
        }
        if (claimFolder(folder))
            return folder;
    }
    throw std::runtime_error(fmt::format("no free private folder {}/{}{}..{}", priv.string(),
                                         privdir, kFirstFolderNumber, kLastFolderNumber));
}

void releasePrivateFolder(const fs::path& folder) {
    const auto owner = readLockOwner(folder);
    if (!owner || *owner != getpid())
        return;
    removeFolder(folder);
}

} // namespace zorv::server
