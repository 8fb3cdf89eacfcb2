#include "leave/LeaveDuration.h"

#include "common/Ini.h"
#include "common/Text.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "leave/LeaveDays.h"
#include "leave/LeaveSettings.h"

#include <optional>
#include <vector>

namespace zorv::leave {

namespace {

constexpr const char* kHoursUnit = "HOURS";
constexpr const char* kTrue = "TRUE";
constexpr const char* kExceptionSection = "Cmphexp";
constexpr const char* kDefaultLocationColumn = "alocation";

/// What the leave length needs of the employee's master row.
struct StaffFacts {
    std::optional<int> schemeId;
    double contractualHours = 0;
    std::string location; ///< upper case; empty when not asked for or not found
};

/// How the employee's scheme counts leave.
struct SchemeCounting {
    bool includeWeekends = false;
    bool includeExceptions = false;
};

/// Whether exception dates are chosen per location, and the master column
/// that holds the employee's location.
struct ExceptionLocation {
    bool perLocation = false;
    std::string masterColumn;
};

bool isTrueText(const db::Value& value) { return !value.isNull() && toUpper(trim(value.asString())) == kTrue; }

/// A column of a one-row result, or nothing when the result lacks it or the
/// value is empty.
const db::Value* columnValue(const db::ResultSet& rows, std::string_view column)
{
    if (rows.empty() || !rows.columns().find(column))
        return nullptr;
    const db::Value& value = rows[0][column];
    return value.isNull() ? nullptr : &value;
}

ExceptionLocation readExceptionLocation(const LeaveSettings& settings)
{
    const Ini global(settings.globalIniPath);
    std::string column = trim(global.readString(kExceptionSection, "masterfield", ""));
    return {global.readBool(kExceptionSection, "Uselocation", false),
            column.empty() ? kDefaultLocationColumn : std::move(column)};
}

/// The columns are looked up by name in the row itself, so no configured
/// name ever reaches the statement.
StaffFacts readStaff(db::Connection& employee, const std::string& staffNo, const ExceptionLocation& location)
{
    const db::ResultSet master = employee.query("select * from MASTER where STAFFNO = ?", {staffNo});
    StaffFacts staff;
    if (const db::Value* scheme = columnValue(master, "ISCHEMEID"))
        staff.schemeId = static_cast<int>(scheme->asInt());
    if (const db::Value* hours = columnValue(master, "CONTRACTUALHOURS"))
        staff.contractualHours = hours->asDouble();
    if (location.perLocation) {
        if (const db::Value* place = columnValue(master, location.masterColumn))
            staff.location = toUpper(trim(place->asString()));
    }
    return staff;
}

SchemeCounting readSchemeCounting(db::Connection& leave, const std::optional<int>& schemeId)
{
    if (!schemeId)
        return {};
    const db::ResultSet scheme = leave.query("select * from TCMPHSCH where ISCHEMEID = ?", {*schemeId});
    auto flag = [&](std::string_view column) {
        const db::Value* value = columnValue(scheme, column);
        return value && isTrueText(*value);
    };
    return {flag("LINCLUDEWEEKENDS"), flag("LINCLUDEEXCEPTIONS")};
}

std::vector<Date> exceptionDates(db::Connection& leave, const Date& start, const Date& end, bool perLocation,
                                 const std::string& location)
{
    // Exception dates may carry a time: take every one on the days of the period.
    std::string sql = "select distinct DDATEFROM from TCMPHEXP where DDATEFROM >= ? and DDATEFROM < ?";
    db::Params params{start, end.addDays(1)};
    if (perLocation) {
        sql += " and (ALOCATION = '' or ALOCATION is null or upper(ALOCATION) = ?)";
        params.emplace_back(location);
    }
    std::vector<Date> dates;
    for (const db::Row& row : leave.query(sql, params))
        if (!row[0].isNull())
            dates.push_back(row[0].asDate());
    return dates;
}

double companyWeeklyHours(db::Connection& leave)
{
    const db::ResultSet company = leave.query("select HOURSPERWEEK from COMPINFO");
    return company.empty() ? 0 : company[0][0].asDouble();
}

} // namespace

std::string GetSchemeLeaveType(data::TdmMain& dmMain, int schemeId)
{
    db::Connection& leave = dmMain.connection(LeaveSettings::read().databaseAlias);
    const db::ResultSet scheme = leave.query("select ATYPE from TCMPHSCH where ISCHEMEID = ?", {schemeId});
    return scheme.empty() ? std::string() : scheme[0][0].asString();
}

double LeaveDuration(data::TdmMain& dmMain, const std::string& staffNo, const std::string& unit, const Date& start,
                     const Date& end)
{
    if (end < start)
        return 0;
    const LeaveSettings settings = LeaveSettings::read();
    db::Connection& leave = dmMain.connection(settings.databaseAlias);
    const ExceptionLocation location = readExceptionLocation(settings);
    const StaffFacts staff = readStaff(employeeConnection(dmMain), staffNo, location);
    const SchemeCounting counting = readSchemeCounting(leave, staff.schemeId);

    std::vector<Date> exceptions;
    if (!counting.includeExceptions)
        exceptions = exceptionDates(leave, start, end, location.perLocation, staff.location);
    const long long days = countLeaveDaysLessExceptions(start, end, counting.includeWeekends, exceptions);
    if (!iequals(trim(unit), kHoursUnit))
        return static_cast<double>(days);

    const double weeklyHours = staff.contractualHours > 0 ? staff.contractualHours : companyWeeklyHours(leave);
    return roundToHundredths(leaveDaysInHours(days, weeklyHours, counting.includeWeekends));
}

} // namespace zorv::leave
