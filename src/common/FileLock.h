#pragma once

#include <mutex>
#include <string>

#include "common/Posix.h"

namespace zorv {

/// The absolute, symlink-resolved form of path (the file itself need not
/// exist). Two names of one file give the same string.
std::string canonicalFilePath(const std::string& path);

/// This process's one mutex for the file at canonicalPath. Created on first
/// use and kept for the life of the process; safe to call from any thread.
std::mutex& processMutexFor(const std::string& canonicalPath);

/// An exclusive flock() on lockPath, held from construction to destruction.
/// The lock file is created when missing (mode 0640) and never removed.
/// Serialises processes; threads of one process use processMutexFor too,
/// because each FileLock opens its own descriptor.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    UniqueFd fd_;
};

/// Both locks for a read-modify-write of one file: the process mutex of its
/// canonical path, then the flock on "<canonical path>.lock".
class ExclusiveFileAccess {
public:
    explicit ExclusiveFileAccess(const std::string& canonicalPath);

private:
    std::lock_guard<std::mutex> threads_;
    FileLock processes_;
};

} // namespace zorv
