#include "tools/DemoRecords.h"

#include "tools/RowValues.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

namespace zorv::admin {

namespace {

constexpr double kWeeksPerYear = 52;
constexpr double kMonthsPerYear = 12;

TableRows& masterTable(DatabaseContent& db)
{
    return db.table("MASTER",
                    {"STAFFNO",       "FORENAMES",       "SURNAME",        "ATITLE",         "POSTNAME",
                     "DOB",           "AGE",             "ABSCLASS",       "ISCHEMEID",      "LMANHOL",
                     "AGRADE",        "NWTE",            "DSCHEFFDATE",    "DATEOFJOIN",     "DATEOFLEAVING",
                     "CONTRACTENDDATE", "LEAVECF",       "LEAVEALLOWANCE", "LEAVETAKEN",     "LEAVEREMAINING",
                     "NEXTRADAYS",    "CONTRACTUALHOURS", "PAYBASIS",      "PAYPERIOD",      "NPAY",
                     "ALLOWOVERTIME", "POINTONSCALE",    "ACURRENCY",      "SPARE4",         "GENDER",
                     "KNOWNAS",       "MARITALSTATUS",   "ADDRESS1",       "ADDRESS2",       "ADDRESS3",
                     "ADDRESS4",      "ADDRESS5",        "ADDRESS6",       "HOMETEL",        "EMAIL",
                     "DEPARTMENT",    "DIVISION",        "JOBTITLE",       "ALOCATION",      "CONTRACTTYPE",
                     "USER1",         "USER2",           "USERNO2",        "USERDATE1",      "REENGAGE"});
}

TableRows& payTable(DatabaseContent& db)
{
    return db.table("PAYHIST", {"STAFFNO", "IKEY", "FROMDATE", "DTODATE", "NPAY", "PAYBASIS", "PAYPERIOD",
                                "CONTRACTUALHOURS", "HOURLYRATE", "MONTHLYPAY", "TIMEHALF", "DOUBLETIME",
                                "ALLOWOVERTIME", "AGRADE", "APOINT", "ACURRENCY", "PENSION", "LACTIVE", "SDAY",
                                "DAYNAME", "SMONTH", "SYEAR"});
}

std::string pointName(int point) { return fmt::format("Point {}", point); }

double hourlyRate(const Employee& e, double pay)
{
    return e.payBasis == "Hourly" ? pay : pay / (e.weeklyHours * kWeeksPerYear);
}

double monthlyPay(const Employee& e, double pay)
{
    return e.payBasis == "Hourly" ? pay * e.weeklyHours * kWeeksPerYear / kMonthsPerYear : pay / kMonthsPerYear;
}

void addPayRow(RecordContext& context, const Employee& e, const Date& from, std::optional<Date> to, double pay,
               int point, bool active)
{
    db::Params row = {e.staffNo,
                      context.keys.next(),
                      dateValue(from),
                      to ? dateValue(*to) : db::Value(),
                      money(pay),
                      e.payBasis,
                      e.payPeriod,
                      money(e.weeklyHours),
                      money(hourlyRate(e, pay)),
                      money(monthlyPay(e, pay)),
                      money(hourlyRate(e, pay) * 1.5),
                      money(hourlyRate(e, pay) * 2),
                      e.allowsOvertime() ? "Yes" : "No",
                      e.grade,
                      pointName(point),
                      "EUR",
                      "Standard scheme",
                      truth(active)};
    const db::Params parts = dateParts(from);
    row.insert(row.end(), parts.begin(), parts.end());
    payTable(context.db).add(std::move(row));
}

/// The current pay from the last increment date, and the pay before it.
void addPayHistory(RecordContext& context, const Employee& e)
{
    const Date increment = std::max(Date{context.calendar.year(), 1, 1}, e.joined);
    const double step = e.payBasis == "Hourly" ? 0.35 : demoGrade(e.grade).step * e.wte;
    if (increment > e.joined && e.point > 1)
        addPayRow(context, e, e.joined, increment.addDays(-1), e.pay - step, e.point - 1, false);
    addPayRow(context, e, increment, e.left, e.pay, e.point, e.isCurrent());
}

void addCareer(RecordContext& context, const Employee& e)
{
    auto& career = context.db.table("CAREER", {"STAFFNO", "IKEY", "DDATE", "AEVENT", "NEWVALUE", "OLDVALUE"});
    career.add({e.staffNo, context.keys.next(), dateValue(e.joined), "Joined", e.department, ""});
    if (e.point > 1)
        career.add({e.staffNo, context.keys.next(), dateValue(std::max(Date{context.calendar.year(), 1, 1}, e.joined)),
                    "Increment", pointName(e.point), pointName(e.point - 1)});
    if (e.left)
        career.add({e.staffNo, context.keys.next(), dateValue(*e.left), "Left", "", e.department});
}

} // namespace

db::Params dateParts(const Date& date)
{
    return {date.day, std::string(weekdayName(date)), date.month, date.year};
}

void addMasterRecords(RecordContext& context, const Employee& e, double leaveTakenDays)
{
    const Date& today = context.calendar.today();
    const double remaining = e.leaveCarried + e.leaveAllowance - leaveTakenDays;
    masterTable(context.db)
        .add({e.staffNo,
              e.forenames,
              e.surname,
              e.title,
              e.jobTitle,
              dateValue(e.birth),
              DemoCalendar::yearsBetween(e.birth, today),
              e.isCurrent() ? "Current" : "Leaver",
              e.leaveScheme,
              "False",
              e.grade,
              money(e.wte),
              dateValue(e.joined),
              dateValue(e.joined),
              e.left ? dateValue(*e.left) : db::Value(),
              e.contractEnd ? dateValue(*e.contractEnd) : db::Value(),
              money(e.leaveCarried),
              money(e.leaveAllowance),
              money(leaveTakenDays),
              money(remaining),
              money(0),
              money(e.weeklyHours),
              e.payBasis,
              e.payPeriod,
              money(e.pay),
              e.allowsOvertime() ? "Yes" : "No",
              pointName(e.point),
              "EUR",
              "Standard scheme",
              e.gender,
              e.forenames,
              e.maritalStatus,
              e.address,
              "",
              e.town,
              "Demo County",
              "",
              "",
              e.phone,
              e.email,
              e.department,
              e.division,
              e.jobTitle,
              e.location,
              e.contractType,
              e.manager,
              "",
              e.post,
              nullptr,
              "Tru"});
    context.db.table("MASTERA", {"STAFFNO", "IKEY"}).add({e.staffNo, context.keys.next()});
    addPayHistory(context, e);
    addCareer(context, e);
}

} // namespace zorv::admin
