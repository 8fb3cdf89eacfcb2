#include "data/RecordLocks.h"

#include "data/RowRules.h"
#include "data/db/Connection.h"

#include <mutex>

namespace zorv::data {

namespace {

/// Serialises check-and-insert across the sessions of this process.
std::mutex& lockTableMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string cut(std::string_view value) { return firstCharacters(value, kLockValueLength); }

bool conflicts(const std::string& heldId, const std::string& wantedId)
{
    return heldId == wantedId || heldId == kLockAllPurposes || wantedId == kLockAllPurposes;
}

} // namespace

std::optional<std::string> RecordLocks::holder(std::string_view record, std::string_view lockId)
{
    db::Params params{cut(record)};
    std::string sql = "select ALockUser from TLock where ALockRecord = ?";
    if (!lockId.empty()) {
        sql += " and ((ALockID = ?) or (ALockID = ?))";
        params.emplace_back(cut(lockId));
        params.emplace_back(kLockAllPurposes);
    }
    const db::ResultSet rows = connection_.query(sql, params);
    if (rows.empty())
        return std::nullopt;
    return rows[0][0].asString();
}

std::optional<std::string> RecordLocks::conflictingHolder(const std::string& lockId, const std::string& record,
                                                          const std::string& user)
{
    const db::ResultSet rows =
        connection_.query("select ALockID, ALockUser from TLock where ALockRecord = ?", {record});
    for (const auto& row : rows) {
        const std::string heldBy = row[1].asString();
        if (heldBy != user && conflicts(row[0].asString(), lockId))
            return heldBy;
    }
    return std::nullopt;
}

bool RecordLocks::lock(std::string_view lockId, std::string_view record, std::string_view user)
{
    const std::string id = cut(lockId);
    const std::string rec = cut(record);
    const std::string who = cut(user);
    std::lock_guard guard(lockTableMutex());
    if (conflictingHolder(id, rec, who))
        return false;
    const bool alreadyHeld =
        connection_
            .query("select count(*) from TLock where ALockID = ? and ALockRecord = ? and ALockUser = ?", {id, rec, who})
            .first()[0]
            .asInt() > 0;
    if (alreadyHeld)
        return true;
    connection_.execute("insert into TLock (ALockID, ALockRecord, ALockUser) values (?, ?, ?)", {id, rec, who});
    // Another program may have taken a conflicting lock between the check and
    // the insert: then neither lock is left standing.
    if (!conflictingHolder(id, rec, who))
        return true;
    connection_.execute("delete from TLock where ALockID = ? and ALockRecord = ? and ALockUser = ?", {id, rec, who});
    return false;
}

void RecordLocks::unlock(std::string_view record, std::string_view lockId)
{
    std::lock_guard guard(lockTableMutex());
    connection_.execute("delete from TLock where (ALockID = ?) and (ALockRecord = ?)", {cut(lockId), cut(record)});
}

void RecordLocks::unlockAll(std::string_view user)
{
    std::lock_guard guard(lockTableMutex());
    connection_.execute("delete from TLock where (ALockUser = ?)", {cut(user)});
}

} // namespace zorv::data
