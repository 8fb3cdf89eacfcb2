#include "data/Rights.h"

#include "common/Text.h"
#include "data/db/Catalogue.h"

#include <stdexcept>

namespace zorv::data {
namespace {

constexpr const char* kTraceSection = "SQLWRITE";
constexpr std::string_view kMasterTable = "MASTER";
constexpr std::string_view kWhere = "where ";
constexpr std::string_view kOrder = "order ";
constexpr std::string_view kOrderBy = "order by";
constexpr std::string_view kEmptyList = "( )";
constexpr std::string_view kSupervisorViewOn = "YES";
constexpr std::string_view kGroupCondition =
    "staffno in (select staffno from groups where upper(groups.GroupName) = upper(?))";

void append(BoundSql& target, const BoundSql& part)
{
    target.sql += part.sql;
    target.params.insert(target.params.end(), part.params.begin(), part.params.end());
}

bool containsWhere(const std::string& sql) { return sql.find(kWhere) != std::string::npos; }

/// Where the caller's conditions start: at "where ", else at "order ",
/// else the end (lower-cased sql).
std::size_t conditionStart(const std::string& lowered)
{
    std::size_t position = lowered.find(kWhere);
    if (position == std::string::npos)
        position = lowered.find(kOrder);
    return position == std::string::npos ? lowered.size() : position;
}

bool isViewSelfOnly(const RightsUser& user) { return toUpper(user.group) == kViewSelfOnly; }

bool hasSupervisorView(const RightsUser& user, db::Connection& web)
{
    return toUpper(trim(ScreenRights(web, user.userName, std::string(kSupervisorViewScreen)))) == kSupervisorViewOn;
}

/// Wraps the conditions so that the user's own record is always listed too.
void addOwnRecord(BoundSql& result, const RightsUser& user)
{
    const std::size_t where = result.sql.find(kWhere);
    result.sql.replace(where, kWhere.size(), " where ((");
    result.sql += ") or (upper(staffno) = ?)) ";
    result.params.emplace_back(toUpper(user.staffNo));
}

} // namespace

BoundSql StaffExclusionList(db::Connection& central, const std::string& securityCode)
{
    const db::ResultSet rows =
        central.query("select STAFFNO from TSECREC where AUSERCODE = ? order by STAFFNO", {securityCode});
    BoundSql list{" ( ", {}};
    for (const db::Row& row : rows) {
        if (!list.params.empty())
            list.sql += ",";
        list.sql += "?";
        list.params.push_back(row[0]);
    }
    list.sql += rows.empty() ? ") " : " ) ";
    return list;
}

BoundSql RestrictViewClause(const RightsDatabases& databases, const std::string& securityCode, bool opensWhere)
{
    const db::ResultSet users = databases.central.query(
        "select ARESTRICTVIEWFIELD, ARESTRICTVIEWVALUE from USERS where upper(ASECURITYCODE) = upper(?) "
        "order by ASYSTEM, CUSERCODE",
        {securityCode});
    if (users.empty())
        return {};
    const std::string field = trim(users[0][0].asString());
    if (field.empty())
        return {};
    if (!db::columnExists(databases.employee, kMasterTable, field))
        throw std::runtime_error("The restriction field '" + field + "' of security code '" + securityCode +
                                 "' is not a column of master.");
    const std::string opening = opensWhere ? " where Upper(" : " and Upper(";
    return {opening + field + ") = Upper(?)", {users[0][1].asString()}};
}

namespace {

/// The exclusion list, the group, the restriction of the security code and
/// the absence class, in that order, then the supervisor view's own record.
void addConditions(BoundSql& result, const RightsUser& user, const RightsDatabases& databases, bool byAbsenceClass,
                   const DebugTrace& trace)
{
    const BoundSql list = StaffExclusionList(databases.central, user.securityCode);
    BoundSql clause;
    if (trim(list.sql) != kEmptyList) {
        clause.sql = " where StaffNo not in";
        append(clause, list);
    }
    result.sql += " ";
    append(result, clause);

    if (!user.group.empty()) {
        const std::string opening = clause.empty() ? " where " : " and ";
        if (clause.empty())
            clause.sql = opening + std::string(kGroupCondition);
        result.sql += opening;
        append(result, {std::string(kGroupCondition), {user.group}});
    }

    trace.write(kTraceSection, "3", result.sql);
    const bool opensWhere = clause.empty();
    const BoundSql restriction = RestrictViewClause(databases, user.securityCode, opensWhere);
    if (opensWhere && !restriction.empty())
        result.sql += " ";
    append(result, restriction);

    if (byAbsenceClass) {
        result.sql += containsWhere(result.sql) ? " and " : " where ";
        result.sql += "upper(aBSClass) = upper(?)";
        result.params.emplace_back(user.absenceClass);
    }

    trace.write(kTraceSection, "4", result.sql);
    if (containsWhere(result.sql) && hasSupervisorView(user, databases.web))
        addOwnRecord(result, user);
}

} // namespace

BoundSql RestrictEmployeeSql(const std::string& sql, const RightsUser& user, const RightsDatabases& databases,
                             bool byAbsenceClass, const DebugTrace& trace)
{
    if (sql.empty())
        return {};
    trace.write(kTraceSection, "1", sql);
    trace.write(kTraceSection, "Usercode", user.securityCode);
    const std::string lowered = toLower(sql);
    BoundSql result{sql.substr(0, conditionStart(lowered)), {}};
    trace.write(kTraceSection, "2", result.sql);
    if (isViewSelfOnly(user)) {
        result.sql += " where upper(staffno) = ? ";
        result.params.emplace_back(toUpper(user.staffNo));
    } else {
        addConditions(result, user, databases, byAbsenceClass, trace);
    }
    const std::size_t orderBy = lowered.find(kOrderBy);
    if (orderBy != std::string::npos)
        result.sql += " " + sql.substr(orderBy);
    trace.write(kTraceSection, "OutPut", result.sql);
    return result;
}

std::string ScreenRights(db::Connection& web, const std::string& user, const std::string& screen)
{
    const db::ResultSet rows = web.query(
        "select ARIGHTS from TUSERSEC where upper(AUSER) = upper(?) and ASCREEN = ? order by IKEY", {user, screen});
    return rows.empty() ? std::string() : rows[0][0].asString();
}

} // namespace zorv::data
