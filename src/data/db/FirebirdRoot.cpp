#include "data/db/FirebirdRoot.h"

#include "data/db/FbClient.h"
#include "data/db/StatusWrapper.h"

#include <cstdlib>
#include <fstream>
#include <ibase.h>
#include <mutex>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace zorv::db {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kConfigName = "firebird.conf";
constexpr std::string_view kIntlName = "intl";
constexpr std::string_view kConfigHeader = "# Written by ZorvWeb whenever it starts: edits here are lost.\n"
                                           "ServerMode = SuperClassic\n";

struct PreparedFolders {
    fs::path root;
    fs::path lock;
};

std::mutex preparedMutex;
std::optional<PreparedFolders> prepared;

/// A name beside target for a file that then replaces target with rename(),
/// so that a process reading the root never sees a half-made entry.
fs::path temporaryBeside(const fs::path& target)
{
    fs::path temp = target;
    temp += ".new" + std::to_string(::getpid());
    return temp;
}

void ensureSymlink(const fs::path& link, const fs::path& target)
{
    const fs::file_status status = fs::symlink_status(link);
    if (fs::is_symlink(status) && fs::read_symlink(link) == target)
        return;
    if (fs::exists(status) && !fs::is_symlink(status))
        return; // an operator's own file
    const fs::path temp = temporaryBeside(link);
    fs::remove(temp);
    fs::create_symlink(target, temp);
    fs::rename(temp, link);
}

bool isSameFile(const fs::path& copy, const fs::path& original)
{
    return fs::is_regular_file(fs::symlink_status(copy)) && fs::file_size(copy) == fs::file_size(original) &&
           fs::last_write_time(copy) == fs::last_write_time(original);
}

void ensureCopy(const fs::path& copy, const fs::path& original)
{
    if (isSameFile(copy, original))
        return;
    const fs::path temp = temporaryBeside(copy);
    fs::copy_file(original, temp, fs::copy_options::overwrite_existing);
    fs::last_write_time(temp, fs::last_write_time(original));
    fs::rename(temp, copy);
}

bool isModule(const fs::path& path)
{
    return path.extension() == ".so";
}

void buildIntl(const fs::path& intl, const fs::path& installedIntl)
{
    if (fs::is_symlink(fs::symlink_status(intl)))
        fs::remove(intl);
    fs::create_directories(intl);
    for (const fs::directory_entry& entry : fs::directory_iterator(installedIntl)) {
        const fs::path own = intl / entry.path().filename();
        if (isModule(entry.path()))
            ensureCopy(own, entry.path());
        else
            ensureSymlink(own, entry.path());
    }
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeIfDifferent(const fs::path& path, const std::string& content)
{
    if (fs::is_regular_file(path) && readFile(path) == content)
        return;
    const fs::path temp = temporaryBeside(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << content;
        if (!out.flush())
            throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, path);
}

std::string configText(std::string_view extraSettings)
{
    std::string text(kConfigHeader);
    text += extraSettings;
    if (!text.ends_with('\n'))
        text += '\n';
    return text;
}

void prepareLockFolder(const fs::path& lock)
{
    if (fs::create_directories(lock))
        fs::permissions(lock, fs::perms::owner_all, fs::perm_options::replace);
    else
        fs::permissions(lock, fs::perms::others_all, fs::perm_options::remove);
    if (::access(lock.c_str(), W_OK | X_OK) != 0)
        throw std::runtime_error("the Firebird lock folder " + lock.string() + " is not writable");
}

fs::path normalised(const fs::path& path)
{
    return fs::absolute(path).lexically_normal();
}

} // namespace

void FirebirdRoot::build(const fs::path& rootDir, std::string_view extraSettings)
{
    fs::create_directories(rootDir);
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(kInstalledRoot))) {
        const fs::path name = entry.path().filename();
        if (name == kConfigName)
            continue;
        if (name == kIntlName)
            buildIntl(rootDir / name, entry.path());
        else
            ensureSymlink(rootDir / name, entry.path());
    }
    writeIfDifferent(rootDir / kConfigName, configText(extraSettings));
}

void FirebirdRoot::prepare(const fs::path& rootDir, const fs::path& lockDir)
{
    const fs::path root = normalised(rootDir);
    const fs::path lock = normalised(lockDir);
    std::lock_guard<std::mutex> guard(preparedMutex);
    if (prepared) {
        if (prepared->root == root && prepared->lock == lock)
            return;
        throw std::logic_error("the Firebird root is already " + prepared->root.string() + " with lock folder " +
                               prepared->lock.string());
    }
    build(root);
    prepareLockFolder(lock);
    ::setenv("FIREBIRD", root.c_str(), 1);
    ::setenv("FIREBIRD_LOCK", lock.c_str(), 1);
    prepared = PreparedFolders{root, lock};
}

bool FirebirdRoot::isPrepared()
{
    std::lock_guard<std::mutex> guard(preparedMutex);
    return prepared.has_value();
}

void FirebirdRoot::shutdown()
{
    // A process that never attached has no engine to stop (and asking for
    // one would load it only to shut it down).
    if (!isPrepared() || !detail::clientUsed())
        return;
    Firebird::IProvider* dispatcher = detail::master()->getDispatcher();
    Firebird::IStatus* status = detail::master()->getStatus();
    Firebird::CheckStatusWrapper quiet(status);
    dispatcher->shutdown(&quiet, 0, fb_shutrsn_app_stopped);
    dispatcher->release();
    status->dispose();
}

} // namespace zorv::db
