#include "tools/DemoRecords.h"

#include "tools/RowValues.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zorv::admin {

namespace {

constexpr double kOnCostPercent = 10.75;
constexpr int kWorkingDaysPerYear = 260;
constexpr int kWeekDays = 5;

struct Course {
    std::string_view title;
    std::string_view provider;
    std::string_view subject;
    double cost;
    double days;
};
constexpr Course kCourses[] = {
    {"First Aid", "Red Cross", "Health and Safety", 180, 2},
    {"Fire Safety", "In-house", "Health and Safety", 0, 0.5},
    {"Manual Handling", "In-house", "Health and Safety", 0, 1},
    {"Data Protection", "Open Training College", "Information Technology", 250, 1},
    {"Leadership Skills", "Institute of Management", "Management", 950, 3},
};

struct Allowance {
    std::string_view code;
    std::string_view description;
    double weeklyRate;
    bool taxable;
    int code2;
};
constexpr Allowance kShift{"SHIFT", "Shift allowance", 42.50, true, 1};
constexpr Allowance kOnCall{"ONCALL", "On-call allowance", 65.00, true, 2};
constexpr Allowance kTravel{"TRAVEL", "Travel allowance", 18.00, false, 3};

double dailyPay(const Employee& e)
{
    return e.payBasis == "Hourly" ? e.pay * e.weeklyHours / kWeekDays : e.pay / kWorkingDaysPerYear;
}

/// The next working day on or after date.
Date workingDayFrom(const DemoCalendar& calendar, Date date)
{
    while (!calendar.isWorkingDay(date))
        date = date.addDays(1);
    return date;
}

/// Adds the ABSENCE rows; returns the key of the last annual leave of the current year.
std::optional<int> addAbsenceRows(RecordContext& c, const Employee& e, const std::vector<AbsenceSpan>& absences)
{
    auto& rows = c.db.table("ABSENCE", {"STAFFNO",   "IKEY",     "STARTDATE", "ENDDATE",       "AABSTYPE", "ACATEGORY",
                                        "AREASON",   "DAYSLOST", "LACTIVE",   "ISANNUALLEAVE", "MNOTES",   "NHOURS",
                                        "NDAYS",     "NABSHOURS", "NCOST",    "ADDITIONALCOST", "XONCOST", "NPAYDED",
                                        "TOTALCOST", "SDAY",     "DAYNAME",   "SMONTH",        "SYEAR"});
    std::optional<int> lastLeave;
    const double hoursPerDay = e.weeklyHours / kWeekDays;
    for (const AbsenceSpan& span : absences) {
        const int key = c.keys.next();
        const double cost = span.days * dailyPay(e);
        db::Params row = {e.staffNo, key, dateValue(span.start), dateValue(span.end), span.type, span.category,
                          span.reason, money(span.days), "TRUE", span.annualLeave ? "True" : "False",
                          span.annualLeave ? db::Value() : db::Value("Recorded by the line manager"),
                          money(span.days * hoursPerDay), money(span.days), money(span.days * hoursPerDay),
                          money(cost), money(0), money(kOnCostPercent), money(0),
                          money(cost * (1 + kOnCostPercent / 100))};
        const db::Params parts = dateParts(span.start);
        row.insert(row.end(), parts.begin(), parts.end());
        rows.add(std::move(row));
        if (span.annualLeave && span.start.year == c.calendar.year())
            lastLeave = key;
    }
    return lastLeave;
}

TableRows& holidayRequests(DatabaseContent& db)
{
    return db.table("HOLREQ", {"STAFFNO", "IKEY", "DSTART", "DEND", "ILENGTH", "MNEWREASON", "DDECISIONBY",
                               "ASTATUS", "DSTATUS", "ACHANGEDBY", "MSTATUSREASON", "IHOLIKEY", "DREQUEST",
                               "MSTATUSHISTORY", "DSUBMITTED", "LCANCEL", "AABSTYPE", "LANNUAL", "LHALFDAY"});
}

struct Request {
    Date start;
    Date end;
    int days;
    std::string_view status;
    Date requested;
    std::optional<int> absenceKey;
};

void addHolidayRequest(RecordContext& c, const Employee& e, const Request& r)
{
    const bool decided = r.status != "Pending";
    const Date decidedOn = r.requested.addDays(2);
    holidayRequests(c.db).add(
        {e.staffNo, c.keys.next(), dateValue(r.start), dateValue(r.end), money(r.days),
         r.status == "Pending" ? "Family holiday" : "", dateValue(r.start.addDays(-7)), std::string(r.status),
         decided ? dateValue(decidedOn) : db::Value(), decided ? std::string(approverLogin(e)) : std::string(),
         r.status == "Denied" ? db::Value("Too many staff away that week") : db::Value(), r.absenceKey,
         dateValue(r.requested),
         decided ? db::Value(std::string(r.status) + " on " + decidedOn.format()) : db::Value(),
         dateValue(r.requested), "FALSE", "Annual Leave", "TRUE", "FALSE"});
}

/// A future request of days working days, weeksAhead weeks from now.
Request futureRequest(RecordContext& c, int weeksAhead, int days, std::string_view status)
{
    const Date start = workingDayFrom(c.calendar, mondayOf(c.calendar.today()).addDays(7 * weeksAhead));
    Date end = start;
    int counted = 1;
    while (counted < days) {
        end = end.addDays(1);
        counted += c.calendar.isWorkingDay(end) ? 1 : 0;
    }
    return Request{start, end, days, status, c.calendar.today().addDays(-c.random.between(1, 10)), std::nullopt};
}

void addHolidayRequests(RecordContext& c, const Employee& e, const std::vector<AbsenceSpan>& absences,
                        std::optional<int> lastLeaveKey, bool showcase)
{
    if (lastLeaveKey) {
        const auto leave = std::find_if(absences.rbegin(), absences.rend(), [&](const AbsenceSpan& span) {
            return span.annualLeave && span.start.year == c.calendar.year();
        });
        addHolidayRequest(c, e, Request{leave->start, leave->end, static_cast<int>(leave->days), "Approved",
                                        leave->start.addDays(-21), lastLeaveKey});
    }
    if (showcase || c.random.chance(35))
        addHolidayRequest(c, e, futureRequest(c, c.random.between(2, 10), c.random.between(1, 5), "Pending"));
    if (showcase || c.random.chance(15))
        addHolidayRequest(c, e, futureRequest(c, c.random.between(11, 20), kWeekDays, "Approved"));
    if (c.random.chance(5))
        addHolidayRequest(c, e, futureRequest(c, c.random.between(3, 6), 2, "Denied"));
}

void addTrainingRequest(RecordContext& c, const Employee& e)
{
    const Course& course = c.random.pick<Course>(kCourses);
    const Date from = workingDayFrom(c.calendar, c.calendar.today().addDays(c.random.between(20, 90)));
    const bool reviewed = c.random.chance(50);
    c.db.table("TRNREQ", {"STAFFNO", "IKEY", "DFROM", "DTO", "ICOST", "ATITLE", "APROVIDER", "ASUBJECT", "ACURRENCY",
                          "IDAYS", "MOUTLINE", "MPREFORM", "MIMP", "LMANAGERAPPROVED", "LMANAGERREVIEW", "MREASON",
                          "MLEARNING", "ITRNKEY", "LHRAPPROVED"})
        .add({e.staffNo, c.keys.next(), dateValue(from), dateValue(from.addDays(std::max(0, int(course.days) - 1))),
              money(course.cost), std::string(course.title), std::string(course.provider), std::string(course.subject),
              "EUR", money(course.days), "Course outline from the provider", nullptr,
              "Will share what I learn with the team", reviewed ? "Yes" : "No", reviewed ? "Yes" : "No",
              "Required for my role", "Certificate of completion", 0, "No"});
}

void addTrainingPlan(RecordContext& c, const Employee& e)
{
    const Course& course = c.random.pick<Course>(kCourses);
    const Date scheduled = c.calendar.today().addDays(c.random.between(-200, 120));
    c.db.table("TEMPTPL", {"STAFFNO", "IKEY", "DSCHEDULED", "DCOMPLETEBY", "ACOURSE", "APROVIDER", "ACURRENCY",
                           "ASUBJECT", "BCOST", "NDURATION"})
        .add({e.staffNo, c.keys.next(), dateValue(scheduled), dateValue(scheduled.addDays(90)),
              std::string(course.title), std::string(course.provider), "EUR", std::string(course.subject),
              money(course.cost), money(course.days)});
}

void addAllowance(RecordContext& c, const Employee& e, const Allowance& allowance)
{
    c.db.table("TEMPSP", {"STAFFNO", "IKEY", "ASPCODE", "ASPDESC", "NRATE", "LTAXABLE", "LSUPABLE", "LPRSI", "ARATE",
                          "ACURRENCY", "DSTART", "DEND", "NOCCURANCE", "NAMOUNT", "LSPEC", "ICODE", "IAREA"})
        .add({e.staffNo, c.keys.next(), std::string(allowance.code), std::string(allowance.description),
              money(allowance.weeklyRate), truth(allowance.taxable), "FALSE", truth(allowance.taxable), "Weekly",
              "EUR", dateValue(std::max(e.joined, Date{c.calendar.year() - 1, 1, 1})), nullptr, money(1),
              money(allowance.weeklyRate), "FALSE", allowance.code2, e.area});
}

} // namespace

std::string_view approverLogin(const Employee& e)
{
    if (e.manager == "1002")
        return "supervisor";
    if (e.manager == "1006")
        return "consultant";
    return "hr";
}

void addAbsencesAndRequests(RecordContext& c, const Employee& e, const std::vector<AbsenceSpan>& absences,
                            bool showcase)
{
    const std::optional<int> lastLeave = addAbsenceRows(c, e, absences);
    if (!e.isCurrent())
        return;
    addHolidayRequests(c, e, absences, lastLeave, showcase);
    if (showcase || c.random.chance(10))
        addTrainingRequest(c, e);
    if (c.random.chance(10))
        addTrainingPlan(c, e);
    if (e.cycle == "Shift rota")
        addAllowance(c, e, kShift);
    if (e.doctor)
        addAllowance(c, e, kOnCall);
    if (c.random.chance(5))
        addAllowance(c, e, kTravel);
}

void addAppraisals(RecordContext& c, const Employee& e, const Site& site, bool showcase)
{
    const Date lastYear{c.calendar.year() - 1, 1, 1};
    if (!e.isCurrent() || e.joined >= lastYear || !(showcase || c.random.chance(60)))
        return;
    const Date date = workingDayFrom(c.calendar, lastYear.addDays(c.random.between(60, 300)));
    const int number = c.keys.next();
    std::string appraiser = "Line manager";
    for (const Employee& other : site.staff) {
        if (other.staffNo == e.manager)
            appraiser = other.fullName();
    }
    c.db.table("APPRAIS", {"STAFFNO", "IAPPRNO", "APPRAISALDATE", "APPRAISOR", "NEXTAPPRAISALDATE", "COMMENTS"})
        .add({e.staffNo, number, dateValue(date), appraiser, dateValue(Date{date.year + 1, date.month, 1}),
              "A good year. Agreed objectives and training below."});
    auto& assess = c.db.table("ASSESS", {"STAFFNO", "IAPPRNO", "IKEY", "ACRITERIA", "ASCORE"});
    for (std::string_view criterion : {"Teamwork", "Communication", "Quality of work"})
        assess.add({e.staffNo, number, c.keys.next(), std::string(criterion), c.random.between(2, 5)});
    auto& objectives = c.db.table("OBJECTIV", {"STAFFNO", "IAPPRNO", "IKEY", "OBJECTIVE", "REVIEWDATE"});
    objectives.add({e.staffNo, number, c.keys.next(), "Complete mandatory training", dateValue(date.addDays(180))});
    objectives.add({e.staffNo, number, c.keys.next(), "Mentor a new colleague", dateValue(date.addDays(300))});
    c.db.table("TRAINAGR", {"STAFFNO", "IAPPRNO", "IKEY", "TRAINING", "REVIEWDATE"})
        .add({e.staffNo, number, c.keys.next(), std::string(c.random.pick<Course>(kCourses).title),
              dateValue(date.addDays(180))});
}

} // namespace zorv::admin
