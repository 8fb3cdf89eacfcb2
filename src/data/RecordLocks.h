#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorv::db {
class Connection;
}

namespace zorv::data {

/// The lock ID that locks a record for every purpose.
inline constexpr const char* kLockAllPurposes = "-ALL-";
/// Lock IDs, records and users are stored, and compared, cut to this many
/// characters (the width of the TLock columns).
inline constexpr std::size_t kLockValueLength = 20;

/// Record locks in table TLock of an employee database: a lock ID (a purpose
/// or kLockAllPurposes), a record (a staff number) and the user holding it.
/// Every value is cut to kLockValueLength characters in every operation, so a
/// user whose name is longer finds and releases its own locks. Taking a lock
/// is serialised within the process; rows another program inserts meanwhile
/// are found by reading the locks again after the insert. Database failures
/// throw.
class RecordLocks {
public:
    explicit RecordLocks(db::Connection& connection) : connection_(connection) {}

    /// The user holding a lock on record for lockId or for every purpose (any
    /// lock on record when lockId is empty); nothing when it is free.
    std::optional<std::string> holder(std::string_view record, std::string_view lockId);
    /// Locks record for lockId on behalf of user. False, and nothing stored,
    /// when another user holds a lock that conflicts (the same lock ID, or
    /// either lock being for every purpose); true when user holds it already.
    bool lock(std::string_view lockId, std::string_view record, std::string_view user);
    /// Releases the lock on record for lockId, whoever holds it.
    void unlock(std::string_view record, std::string_view lockId);
    /// Releases every lock user holds.
    void unlockAll(std::string_view user);

private:
    /// The user of a lock on record that conflicts with lockId, other than user.
    std::optional<std::string> conflictingHolder(const std::string& lockId, const std::string& record,
                                                 const std::string& user);

    db::Connection& connection_;
};

} // namespace zorv::data
