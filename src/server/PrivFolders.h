#pragma once

#include <filesystem>
#include <string>

namespace zorv::server {

/// Name of the file in a private folder that holds the owner's process id.
inline constexpr const char* kPrivateLockFile = "zorvweb.lock";

/// Prepares the private folders under <home>/PRIV and claims one for this
/// process: creates PRIV/<privdirNew>, then walks PRIV/<privdir><n> for
/// n = 100, 101, …; a folder locked by a live process is left alone, any
/// other existing one is removed with its content (failures ignored). The
/// first name that does not exist is created with our process id in its lock
/// file and returned. Throws std::invalid_argument for a folder value holding
/// a path separator or "..", std::runtime_error when no name up to
/// <privdir>9999 is free or the folder cannot be created.
std::filesystem::path preparePrivateFolder(const std::filesystem::path& home,
                                           const std::string& privdirNew,
                                           const std::string& privdir);

/// True when folder holds a lock file naming a process that is still running.
bool isLockedByLiveProcess(const std::filesystem::path& folder);

/// At stop: empties and removes a folder claimed by preparePrivateFolder(),
/// but only while its lock file still names this process. Never throws.
void releasePrivateFolder(const std::filesystem::path& folder);

} // namespace zorv::server
