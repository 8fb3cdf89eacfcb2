#include "tools/DemoTimeHistory.h"

#include "tools/DemoReference.h"
#include "tools/RowValues.h"
#include "tools/WorkTemplates.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <optional>

namespace zorv::admin {

namespace {

constexpr int kLateAfterMinutes = 5;
constexpr int kOvertimeStep = 15;
constexpr int kApprovedWeeksBack = 4;
constexpr double kMaxCarryHours = 7.4;

/// What happened on one day of the history.
struct Day {
    Date date;
    const WeekTemplate* week;
    DayPlan plan;
    const AbsenceSpan* absence = nullptr;
    bool publicHoliday = false;
    int clockIn = 0;
    int clockOut = 0;
    int worked = 0;   ///< paid minutes
    int overtime = 0; ///< minutes over the expected, in steps of 15
    int leave = 0;    ///< minutes of leave or public holiday

    bool isWorked() const { return worked > 0; }
    int expected() const { return plan.expectedMinutes(); }
};

/// The totals of one week, for its header and sign-off lines.
struct WeekTotals {
    Date monday;
    const WeekTemplate* week = nullptr;
    int expected = 0;
    int worked = 0;
    int overtime = 0;
    int leave = 0;
    int sick = 0;
    int bankHoliday = 0;
    int sickDays = 0;
};

/// Weeks from the Monday of the week holding 1 January, starting at 1.
int weekNumber(const Date& monday)
{
    const long long firstMonday = mondayOf(Date{monday.year, 1, 1}).dayNumber();
    return static_cast<int>((monday.dayNumber() - firstMonday) / 7) + 1;
}

const AbsenceSpan* absenceOn(const std::vector<AbsenceSpan>& absences, const Date& date)
{
    for (const AbsenceSpan& span : absences) {
        if (span.covers(date))
            return &span;
    }
    return nullptr;
}

class ClockingWriter {
public:
    ClockingWriter(RecordContext& context, const Employee& e, DatabaseContent& work)
        : c_(context), e_(e), work_(work)
    {
    }

    Day simulate(const Date& date, const std::vector<AbsenceSpan>& absences)
    {
        const CycleTemplate& cycle = cycleTemplate(e_.cycle);
        Day day{date, &weekTemplateOn(cycle, c_.calendar.year(), date), {}};
        day.plan = day.week->on(date);
        if (!day.plan.isWorkDay())
            return day;
        day.absence = absenceOn(absences, date);
        day.publicHoliday = c_.calendar.isPublicHoliday(date);
        if (day.absence || day.publicHoliday) {
            day.leave = day.expected();
            return day;
        }
        clock(day);
        return day;
    }

    void writeDay(const Day& day)
    {
        writeDayRow(day);
        if (day.isWorked()) {
            writeWorkedEvents(day);
            writeClockTransactions(day);
            writeLateness(day);
        } else if (day.leave > 0) {
            writeLeaveEvent(day);
        }
    }

    void writeWeek(const WeekTotals& week)
    {
        c_.db.table("TEMPWORK", {"STAFFNO",        "IKEY",         "DDATE",        "ATEMPLATE",     "NSP1",
                                 "NSP2",           "NWEEKHOURS",   "IACTUALHOURS", "NOT1",          "NOT2",
                                 "NOT3",           "NMORNINGOT",   "IHOLIDAY",     "LUSESCHEME",    "NARREARMORNINGOT",
                                 "NARREAROT1",     "NARREAROT2",   "NARREARNORMAL", "DADVANCEDATE", "LADVANCEWEEK",
                                 "IWEEKHOURS",     "IWEEKMINS",    "IADVANCEWKS",  "NTAXEXP",       "NNONTAXEXP",
                                 "ACOMMENT",       "NSICKPAYDED",  "NSICKDAYS",    "NEXTRAMORNINGOT", "NEXTRAOT1",
                                 "NEXTRAOT2",      "NEXTRANORMAL"})
            .add({e_.staffNo, c_.keys.next(), dateValue(week.monday), std::string(week.week->name),
                  money(week.week->supplement1), money(week.week->supplement2), double(week.expected),
                  double(week.worked), double(week.overtime), 0.0, 0.0, 0.0, double(week.leave), "TRUE", 0.0, 0.0, 0.0,
                  0.0, nullptr, "FALSE", double(week.expected), double(week.worked), 0, money(0), money(0), "",
                  money(0), money(week.sickDays), 0.0, 0.0, 0.0, 0.0});
        writeSignOff(week);
    }

    void writeCarryForward(const Date& from, const Date& to, int balanceMinutes)
    {
        const double hours = std::clamp(std::round(balanceMinutes / 60.0 * 100) / 100, -kMaxCarryHours, kMaxCarryHours);
        c_.db.table("CARRYFOR", {"STAFFNO", "IKEY", "DFROM", "DTO", "LAMOUNT", "APPROVEDBY", "MNOTES", "IHOLKEY",
                                 "AEDITEDBY", "DEDITEDON"})
            .add({e_.staffNo, c_.keys.next(), dateValue(from), dateValue(to), money(hours), "supervisor",
                  "SYSTEM ENTRY", 0, "", dateValue(to.addDays(1))});
    }

    void writeControllerNumber()
    {
        work_.table("CONTROLLER_EMP_INFO", {"STAFFNO", "EMP_NUM", "NAME", "PIN_NUM", "IN_OUT"})
            .add({e_.staffNo, e_.staffNo, e_.fullName(), fmt::format("{:04}", c_.random.below(10000)), "OUT"});
    }

private:
    void clock(Day& day)
    {
        const DayPlan& plan = day.plan;
        if (e_.overtime == "Flexi") {
            day.clockIn = plan.start + c_.random.between(-45, 30);
            day.clockOut = day.clockIn + plan.end - plan.start + c_.random.between(-30, 45);
        } else {
            const bool late = c_.random.chance(8);
            day.clockIn = plan.start + (late ? c_.random.between(6, 25) : c_.random.between(-12, 4));
            const bool stays = c_.random.chance(20);
            day.clockOut = plan.end + (stays ? c_.random.between(30, 120) : c_.random.between(-2, 12));
        }
        day.worked = day.clockOut - day.clockIn - plan.breakMinutes;
        if (e_.allowsOvertime())
            day.overtime = std::max(0, day.worked - day.expected()) / kOvertimeStep * kOvertimeStep;
    }

    void writeDayRow(const Day& day)
    {
        const DayPlan& plan = day.plan;
        const bool sick = day.absence && day.absence->type == "Absence";
        c_.db.table("TTPLWEEK", {"STAFFNO",    "IKEY",        "DWEEKDATE",   "DDAYOFWEEK", "ADAYOFWEEK",   "ATEMPLATE",
                                 "ADESC",      "TSTART",      "TEND",        "ASTART",     "AEND",         "IHOURS",
                                 "IACTUALHOURS", "IHOLIDAY",  "NMORNINGOT",  "NOT1",       "NOT2",         "NOT3",
                                 "TSTARTGRACE", "TENDGRACE",  "THOURS",      "TACTUALSTART", "TACTUALEND", "IMINS",
                                 "NSICKDAYS",  "NSICKPAYDED", "NTAXEXP",     "NNONTAXEXP"})
            .add({e_.staffNo, c_.keys.next(), dateValue(mondayOf(day.date)), dateValue(day.date),
                  std::string(weekdayKey(day.date)), std::string(day.week->name), std::string(areaName(e_.area)),
                  timeValue(plan.start), timeValue(plan.end), hhmm(plan.start), hhmm(plan.end),
                  double(day.expected()), double(day.worked), double(day.leave), 0.0, double(day.overtime), 0.0, 0.0,
                  timeValue(plan.isWorkDay() ? plan.start + kLateAfterMinutes : 0),
                  timeValue(plan.isWorkDay() ? plan.end - kLateAfterMinutes : 0), timeValue(day.expected()),
                  day.isWorked() ? timeValue(day.clockIn) : db::Value(),
                  day.isWorked() ? timeValue(day.clockOut) : db::Value(), double(day.worked), money(sick ? 1 : 0),
                  money(0), money(0), money(0)});
    }

    TableRows& events()
    {
        return c_.db.table("TEMPHRS", {"STAFFNO",      "IKEY",       "IWEEKNO",   "DEVENT",       "DREALEVENT",
                                       "DWEEKDATE",    "ADAYOFWEEK", "IDAYNO",    "TEVENTTIMESTART", "TEVENTTIMEEND",
                                       "IEVENTMINS",   "TEVENTTIME", "AEVENT",    "AEVENTCLASS",  "ICODE",
                                       "IAREA",        "ADAYTEMPLATE", "IPAYCAT", "IPAYCODE",     "APAYCODE",
                                       "LPAID",        "LBREAK",     "LHOLIDAY",  "ASTART",       "AEND",
                                       "IJOBCODE"});
    }

    void addEvent(const Day& day, int start, int end, std::string_view event, std::string_view eventClass, int code,
                  std::string_view payCode, bool paid, bool isBreak, bool holiday)
    {
        const Date monday = mondayOf(day.date);
        events().add({e_.staffNo, c_.keys.next(), weekNumber(monday), dateValue(day.date), nullptr,
                      dateValue(monday), std::string(weekdayKey(day.date)), 0.0, timeValue(start), timeValue(end),
                      double(end - start), timeValue(end - start), std::string(event), std::string(eventClass), code,
                      e_.area, std::string(day.week->name), paid ? 1 : 0, 0, std::string(payCode), truth(paid),
                      truth(isBreak), truth(holiday), hhmm(start), hhmm(end), 0});
    }

    void writeWorkedEvents(const Day& day)
    {
        const int breakEnd = day.plan.breakStart + day.plan.breakMinutes;
        addEvent(day, day.clockIn, day.plan.breakStart, "Work", "Basic", 1, "BASIC", true, false, false);
        addEvent(day, day.plan.breakStart, breakEnd, "Lunch", "Break", 2, "", false, true, false);
        addEvent(day, breakEnd, day.clockOut, "Work", "Basic", 1, "BASIC", true, false, false);
    }

    void writeLeaveEvent(const Day& day)
    {
        if (day.publicHoliday) {
            addEvent(day, day.plan.start, day.plan.start + day.leave, "Public Holiday", "Holiday", 3, "PH", true,
                     false, true);
            return;
        }
        const bool annual = day.absence->annualLeave;
        addEvent(day, day.plan.start, day.plan.start + day.leave, day.absence->category,
                 annual ? "Holiday" : "Absence", annual ? 3 : 4, annual ? "AL" : "SICK", true, false, annual);
    }

    void writeClockTransactions(const Day& day)
    {
        auto& transactions = work_.table("CONTROLLER_LOGIN_INFO",
                                         {"LOGIN_NUM", "EMP_NUM", "CONTROLLER_NUM", "PIN_NUM", "PIN_REQUIRED",
                                          "ACCESS_GRANTED", "CONTROLLER_TYPE", "VALIDATED", "CONTROLLER_TS",
                                          "SERVER_TS", "TIME_USER", "READER_SIDE", "SPRVISOR_NUM", "AREA_CODE"});
        for (const auto& [minutes, side] : {std::pair{day.clockIn, 0}, std::pair{day.clockOut, 1}}) {
            const db::Value when = dateTimeValue(day.date, minutes);
            transactions.add({c_.keys.next(), e_.staffNo, e_.area, "xxxx", 0, 1, 1, 1, when, when, 0, side, "",
                              std::to_string(e_.area)});
        }
    }

    void writeLateness(const Day& day)
    {
        const int late = day.clockIn - day.plan.start;
        if (e_.overtime == "Flexi" || late <= kLateAfterMinutes)
            return;
        c_.db.table("TEMPLAT", {"STAFFNO", "IKEY", "DDATE", "NMINUTES", "MCOMMENTS"})
            .add({e_.staffNo, c_.keys.next(), dateValue(day.date), double(late),
                  c_.random.chance(50) ? "Traffic" : "Public transport delayed"});
        c_.db.table("TEMPEXC", {"STAFFNO", "IKEY", "ATYPE", "AEVENT", "AEVENTCLASS", "ADESCRIPTION", "TEVENTSTART",
                                "TEVENTEND", "TEVENTSHOULDSTART", "TEVENTSHOULDEND", "DEVENT", "DWEEKEVENT", "LACTION",
                                "ASTART", "AEND"})
            .add({e_.staffNo, c_.keys.next(), "Work Time", "Work", "Basic", fmt::format("Late start ({} min)", late),
                  timeValue(day.clockIn), timeValue(day.clockOut), timeValue(day.plan.start), timeValue(day.plan.end),
                  dateValue(day.date), dateValue(mondayOf(day.date)), "FALSE", hhmm(day.clockIn),
                  hhmm(day.clockOut)});
    }

    void writeSignOff(const WeekTotals& week)
    {
        const bool approved = week.monday.addDays(7 * kApprovedWeeksBack) <= c_.calendar.historyEnd();
        const std::string centre = costCentre(e_.area);
        auto line = [&](std::string_view type, std::string_view code, int minutes, bool holiday, bool bank) {
            if (minutes <= 0)
                return;
            work_.table("PAYSIGN", {"STAFFNO", "IKEY", "DSTART", "DEND", "APAYTYPE", "ACODE", "ACENTRE",
                                    "AORIGPAYTYPE", "AORIGCODE", "AORIGCENTRE", "AUSER", "NVALUE", "NORIGINALVALUE",
                                    "LHOLIDAY", "LBANKHOL", "LLOCK", "MCOMMENTS"})
                .add({e_.staffNo, c_.keys.next(), dateValue(week.monday), dateValue(week.monday.addDays(6)),
                      std::string(type), std::string(code), centre, std::string(type), std::string(code), centre,
                      approved ? "timekeeper" : "", money(minutes), money(minutes), truth(holiday), truth(bank),
                      truth(approved), nullptr});
        };
        line("Basic", "BASIC", week.worked - week.overtime, false, false);
        line("Overtime", "OT15", week.overtime, false, false);
        line("Leave", "AL", week.leave - week.sick - week.bankHoliday, true, false);
        line("Leave", "PH", week.bankHoliday, true, true);
        line("Sickness", "SICK", week.sick, false, false);
    }

    RecordContext& c_;
    const Employee& e_;
    DatabaseContent& work_;
};

void addToWeek(WeekTotals& week, const Day& day)
{
    week.week = day.week;
    week.expected += day.expected();
    week.worked += day.worked;
    week.overtime += day.overtime;
    week.leave += day.leave;
    if (day.publicHoliday)
        week.bankHoliday += day.leave;
    if (day.absence && day.absence->type == "Absence") {
        week.sick += day.leave;
        ++week.sickDays;
    }
}

bool isLastDayOfMonth(const Date& date) { return date.addDays(1).month != date.month; }

} // namespace

void addClockingHistory(RecordContext& c, const Employee& e, const std::vector<AbsenceSpan>& absences,
                        DatabaseContent& work)
{
    ClockingWriter writer(c, e, work);
    writer.writeControllerNumber();
    const Date first = std::max(c.calendar.historyStart(), mondayOf(e.joined).addDays(7));
    WeekTotals week{first};
    std::optional<Date> monthStart;
    int monthBalance = 0;
    for (Date date = first; date <= c.calendar.historyEnd(); date = date.addDays(1)) {
        const Day day = writer.simulate(date, absences);
        writer.writeDay(day);
        addToWeek(week, day);
        if (date.day == 1)
            monthStart = date;
        monthBalance += day.worked + day.leave - day.expected();
        if (date.weekday() == 6) {
            writer.writeWeek(week);
            week = WeekTotals{date.addDays(1)};
        }
        if (isLastDayOfMonth(date)) {
            if (monthStart && e.overtime == "Flexi")
                writer.writeCarryForward(*monthStart, date, monthBalance);
            monthBalance = 0;
        }
    }
}

void addTimesheets(RecordContext& c, const Employee& e, const std::vector<AbsenceSpan>& absences)
{
    auto& headers = c.db.table("TIMES", {"STAFFNO", "ITIMESNO", "WEEKENDDATE", "TOTALHOURS", "WDOVERTIME",
                                         "WEOVERTIME"});
    auto& sheets = c.db.table(
        "TMESHEET",
        {"STAFFNO",       "ITIMESNO",      "WEEKENDDATE", "IKEY",          "AACTIVITY",     "NMONDAY",
         "NTUESDAY",      "NWEDNESDAY",    "NTHURSDAY",   "NFRIDAY",       "NSATURDAY",     "NSUNDAY",
         "WEEKTOTAL",     "MONSTART",      "MONLUNCHSTART", "MONLUNCHEND", "MONEND",        "TUESTART",
         "TUELUNCHSTART", "TUELUNCHEND",   "TUEEND",      "WEDSTART",      "WEDLUNCHSTART", "WEDLUNCHEND",
         "WEDEND",        "THUSTART",      "THULUNCHSTART", "THULUNCHEND", "THUEND",        "FRISTART",
         "FRILUNCHSTART", "FRILUNCHEND",   "FRIEND",      "SATSTART",      "SATLUNCHSTART", "SATLUNCHEND",
         "SATEND",        "SUNSTART",      "SUNLUNCHSTART", "SUNLUNCHEND", "SUNEND"});
    const CycleTemplate& cycle = cycleTemplate(e.cycle);
    const Date first = std::max(c.calendar.historyStart(), mondayOf(e.joined).addDays(7));
    for (Date monday = first; monday <= c.calendar.historyEnd(); monday = monday.addDays(7)) {
        const WeekTemplate& week = weekTemplateOn(cycle, c.calendar.year(), monday);
        db::Params hours;
        db::Params punches;
        double total = 0;
        for (int d = 0; d < 7; ++d) {
            const Date date = monday.addDays(d);
            const DayPlan& plan = week.on(date);
            const bool works = plan.isWorkDay() && c.calendar.isWorkingDay(date) && !absenceOn(absences, date);
            if (!works) {
                hours.push_back(money(0));
                for (int p = 0; p < 4; ++p)
                    punches.push_back(timeValue(0));
                continue;
            }
            const int start = plan.start + c.random.between(-10, 5);
            const int end = plan.end + (c.random.chance(15) ? c.random.between(30, 90) : c.random.between(-5, 10));
            const double dayHours = std::round((end - start - plan.breakMinutes) / 60.0 * 100) / 100;
            total += dayHours;
            hours.push_back(money(dayHours));
            for (int minutes : {start, plan.breakStart, plan.breakStart + plan.breakMinutes, end})
                punches.push_back(timeValue(minutes));
        }
        const int number = c.keys.next();
        const Date sunday = monday.addDays(6);
        const double overtime = std::max(0.0, total - week.expectedWeekMinutes() / 60.0);
        headers.add({e.staffNo, number, dateValue(sunday), money(total), money(overtime), money(0)});
        db::Params row = {e.staffNo, number, dateValue(sunday), c.keys.next(), "Road maintenance"};
        row.insert(row.end(), hours.begin(), hours.end());
        row.push_back(money(total));
        row.insert(row.end(), punches.begin(), punches.end());
        sheets.add(std::move(row));
    }
}

} // namespace zorv::admin
