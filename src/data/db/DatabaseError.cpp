#include "data/db/DatabaseError.h"

#include <algorithm>
#include <array>
#include <ibase.h>
#include <iberror.h>
#include <utility>

namespace zorv::db {

namespace {

// Any of these anywhere in the status vector: Firebird often reports an update
// conflict as "deadlock" followed by "update conflicts with concurrent update".
constexpr std::array<long, 4> kLockConflictCodes = {isc_deadlock, isc_lock_conflict, isc_update_conflict,
                                                    isc_lock_timeout};

} // namespace

DatabaseError::DatabaseError(const std::string& message) : std::runtime_error(message) {}

DatabaseError::DatabaseError(const std::string& message, int sqlCode, std::vector<long> gdsCodes)
    : std::runtime_error(message), sqlCode_(sqlCode), gdsCodes_(std::move(gdsCodes))
{
}

bool DatabaseError::hasGdsCode(long code) const
{
    return std::find(gdsCodes_.begin(), gdsCodes_.end(), code) != gdsCodes_.end();
}

bool DatabaseError::isLockConflict() const
{
    return std::any_of(kLockConflictCodes.begin(), kLockConflictCodes.end(),
                       [this](long code) { return hasGdsCode(code); });
}

} // namespace zorv::db
