#pragma once

#include "data/db/Connection.h"
#include "data/db/Value.h"
#include "server/DebugTrace.h"

#include <string>

namespace zorv::data {

/// What the record and table rights need to know of the signed-in user.
struct RightsUser {
    std::string userName;     ///< login name (tuserSec.AUSER)
    std::string securityCode; ///< Users.ASECURITYCODE of the profile
    std::string group;        ///< tLogin.AGROUP; "VIEW SELF ONLY" limits the user to the own record
    std::string staffNo;      ///< the user's own staff number
    std::string absenceClass; ///< the profile's current absence class (for lists by class)
};

/// The databases the rights are read from. Not owned; the caller's request
/// holds them.
struct RightsDatabases {
    db::Connection& central;  ///< CentQuennel: Users, tSecTbl, tSecFld, TSecRec
    db::Connection& web;      ///< QuennelMain: tuserSec
    db::Connection& employee; ///< the session's employee database: master, groups
};

/// SQL text together with the values of its question marks, in order.
struct BoundSql {
    std::string sql;
    db::Params params;

    bool empty() const { return sql.empty(); }
};

/// The group value that limits a user to the own record.
inline constexpr std::string_view kViewSelfOnly = "VIEW SELF ONLY";
/// The screen whose right "YES" (any case) adds the own record to every list.
inline constexpr std::string_view kSupervisorViewScreen = "Supervisor View";

/// The staff numbers security code must not see (TSecRec), as the list
/// " ( ?,? ) " with one parameter per staff number; " ( ) " without rows.
/// Throws DatabaseError.
BoundSql StaffExclusionList(db::Connection& central, const std::string& securityCode);

/// The restriction of the Users row whose ASECURITYCODE equals securityCode
/// (case ignored; the first by system and profile): empty when it has no
/// ARestrictViewField, else " where Upper(FIELD) = Upper(?)" (" and …" when
/// opensWhere is false) bound to ARestrictViewValue. The field must be a
/// column of master in the employee database, else std::runtime_error is
/// thrown (the list must not silently show everyone). Throws DatabaseError.
BoundSql RestrictViewClause(const RightsDatabases& databases, const std::string& securityCode, bool opensWhere);

/// Rewrites an employee-list query on master (or a table with a staffno
/// column) so that it returns only the employees user may see: the caller's
/// where-clause is replaced by the exclusion list, the group, the
/// restriction of the security code, the absence class (when byAbsenceClass)
/// and the supervisor view; its "order by" part is kept. An empty sql gives
/// an empty result; the caller then shows message 591. When trace is on,
/// the texts of the steps go to its section "SQLWRITE". Throws DatabaseError
/// and, for a bad restriction column, std::runtime_error.
BoundSql RestrictEmployeeSql(const std::string& sql, const RightsUser& user, const RightsDatabases& databases,
                             bool byAbsenceClass, const DebugTrace& trace = DebugTrace(false));

/// The rights value of user (case ignored) for screen (as stored) in
/// tuserSec; empty when there is no row. Throws DatabaseError.
std::string ScreenRights(db::Connection& web, const std::string& user, const std::string& screen);

} // namespace zorv::data
