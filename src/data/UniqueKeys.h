#pragma once

#include <string>
#include "data/Aliases.h"

namespace zorv::db {
class Connection;
}

namespace zorv::data {

/// The database of the unique-key counters (table SYSNO, one row).
inline constexpr const char* kUniqueKeyDatabase = alias::kGlobal;
/// The counter that numbers the key column of every new row.
inline constexpr const char* kUniqueCounter = "iUnique";
/// How often a lock conflict on the counter row is retried.
inline constexpr int kMaxUniqueKeyRetries = 5;
/// Seconds an attempt waits for another transaction holding the counter row
/// (the increment of another session commits within milliseconds).
inline constexpr int kUniqueKeyLockWaitSeconds = 5;

/// Adds one to the counter column of SYSNO and returns the new value, in a
/// short transaction of its own on connection (which must reach the database
/// of SYSNO), so concurrent sessions and the desktop products never get the
/// same number. The increments of this process run one at a time; the
/// column is checked against the catalogue first. A lock
/// conflict is retried, at most kMaxUniqueKeyRetries times with a growing
/// pause; any other failure, or a conflict that outlasts the retries, throws
/// one DatabaseError. lockWaitSeconds 0 fails each attempt at once.
int nextUnique(db::Connection& connection, const std::string& counter, int lockWaitSeconds = kUniqueKeyLockWaitSeconds);

} // namespace zorv::data
