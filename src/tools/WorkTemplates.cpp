#include "tools/WorkTemplates.h"

#include "tools/RowValues.h"

#include <stdexcept>
#include <string>

namespace zorv::admin {

namespace {

constexpr int kGraceMinutes = 5;

constexpr DayPlan kOff{};

constexpr DayPlan at(int startHour, int startMinute, int endHour, int endMinute, int breakHour, int breakMinute,
                     int breakLength)
{
    return DayPlan{startHour * 60 + startMinute, endHour * 60 + endMinute, breakHour * 60 + breakMinute, breakLength};
}

constexpr std::array<DayPlan, 7> weekdays(DayPlan plan) { return {plan, plan, plan, plan, plan, kOff, kOff}; }

constexpr std::string_view kStandardWeek = "37.5 hour week";
constexpr std::string_view kStandardCycle = "Std cycle";
constexpr std::string_view kDayHours = "Day Hours";

void addWeekTemplate(DatabaseContent& work, const WeekTemplate& week)
{
    auto& weeks = work.table("TTPLWEEK", {"ATEMPLATE", "ADAYOFWEEK", "IDAYSEQ", "TSTART", "TEND", "ASTART", "AEND",
                                          "IHOURS", "ADESC", "AWEEKTEMPLATE", "TSTARTGRACE", "TENDGRACE", "THOURS"});
    auto& days = work.table("TTPLDAY", {"ADAYTEMPLATE", "ADAYOFWEEK", "TSTART", "TEND", "IEVENTMINS", "AEVENT",
                                        "AEVENTCLASS", "LPAID", "LBREAK", "IPAYCAT", "ICODE", "APAYCODE", "IAREA"});
    const Date monday = mondayOf(Date{2024, 1, 1});
    for (int day = 0; day < 7; ++day) {
        const Date date = monday.addDays(day);
        const DayPlan& plan = week.days[static_cast<std::size_t>(day)];
        const std::string name(weekdayKey(date));
        weeks.add({std::string(week.name), name, day + 1, timeValue(plan.start), timeValue(plan.end), hhmm(plan.start),
                   hhmm(plan.end), static_cast<double>(plan.expectedMinutes()),
                   plan.isWorkDay() ? "Working day" : "Rest day", std::string(week.name),
                   timeValue(plan.isWorkDay() ? plan.start + kGraceMinutes : 0),
                   timeValue(plan.isWorkDay() ? plan.end - kGraceMinutes : 0), timeValue(plan.expectedMinutes())});
        if (!plan.isWorkDay())
            continue;
        const int resume = plan.breakStart + plan.breakMinutes;
        days.add({std::string(week.name), name, timeValue(plan.start), timeValue(plan.breakStart),
                  static_cast<double>(plan.breakStart - plan.start), "Work", "Basic", "TRUE", "FALSE", 1, 1, "BASIC",
                  week.area});
        days.add({std::string(week.name), name, timeValue(plan.breakStart), timeValue(resume),
                  static_cast<double>(plan.breakMinutes), "Lunch", "Break", "FALSE", "TRUE", 0, 2, "", week.area});
        days.add({std::string(week.name), name, timeValue(resume), timeValue(plan.end),
                  static_cast<double>(plan.end - resume), "Work", "Basic", "TRUE", "FALSE", 1, 1, "BASIC", week.area});
    }
    work.table("TTPLWORK", {"ATEMPLATE", "NSP1", "NSP2"})
        .add({std::string(week.name), money(week.supplement1), money(week.supplement2)});
}

void addCycle(DatabaseContent& work, const CycleTemplate& cycle, int year)
{
    work.table("TTPLCYC", {"ACYCLETEMPLATE", "ADESC", "DCYCLESTART", "IDAYS"})
        .add({std::string(cycle.name), std::string(cycle.description), dateValue(cycleStart(year)),
              static_cast<int>(cycle.weeks.size()) * 7});
    auto& cycleWeeks = work.table("TTPLCYCW", {"ACYCLETEMPLATE", "AWEEKTEMPLATE", "IWEEKNO"});
    for (std::size_t i = 0; i < cycle.weeks.size(); ++i)
        cycleWeeks.add({std::string(cycle.name), std::string(cycle.weeks[i]), static_cast<int>(i) + 1});
}

/// An overtime scheme: the columns the working-time engine reads, the rest
/// (kept for the desktop products) empty.
struct OvertimeScheme {
    std::string_view name;
    std::string_view description;
    bool daily;
    bool target;
    double band1Hours;
    double band2Hours;
    std::string_view payCode1;
    std::string_view payCode2;
    int minimumOvertimeMinutes;
};

const OvertimeScheme kSchemes[] = {
    {kDayHours, "Overtime after the expected hours of each day", true, false, 2, 99, "OT15", "OT20", 15},
    {"Weekly Hours", "Overtime after the expected hours of the week", false, true, 5, 99, "OT15", "OT20", 30},
    {"Flexi", "Flexible hours: no overtime, balance carried forward", true, false, 0, 0, "", "", 0},
};

void append(db::Params& row, std::initializer_list<db::Value> values) { row.insert(row.end(), values); }

/// The TOVERTME row of a scheme, column group by column group.
db::Params overtimeRow(const OvertimeScheme& scheme)
{
    db::Params row = {std::string(scheme.name), std::string(scheme.description), truth(scheme.daily),
                      truth(scheme.target)};
    append(row, {money(scheme.band1Hours), money(scheme.band2Hours), money(0), money(0)}); // band sizes
    append(row, {std::string(scheme.payCode1), std::string(scheme.payCode2), "", ""});     // band pay codes
    append(row, {"FALSE", truth(scheme.band1Hours > 0)});                                  // override, round
    append(row, {"Down", 15, 0, "Up/Down", 5, 3, "Down", 15, 0}); // overtime, normal, morning rounding
    append(row, {"FALSE", "TRUE", "FALSE"});                      // must work basic, before minimum
    append(row, {scheme.minimumOvertimeMinutes, 0, 0, 0, "TRUE"}); // band minimums, basic at most expected
    // Event, class and fixed-rate columns of the desktop products.
    append(row, {"Overtime", "Overtime", "", "", "Overtime", "Overtime", "", "", "FALSE", "FALSE", "FALSE", "FALSE",
                 "", "", money(0)});
    return row;
}

void addOvertimeScheme(DatabaseContent& work, const OvertimeScheme& scheme)
{
    work.table("TOVERTME",
               {"ASCHEME",           "ADESCRIPTION",       "LDAY",          "LTARGET",          "BOT1HOURS",
                "BOT2HOURS",         "BOT3HOURS",          "BOTPREHOURS",   "APAYOT1",          "APAYOT2",
                "APAYOT3",           "APAYPREOT",          "LOVERRIDE",     "LROUNDOT",         "AROUNDRULE",
                "IROUNDMINS",        "IROUNDUPMINS",       "ANORMALROUNDRULE", "INORMALROUNDMINS", "INORMALROUNDUPMINS",
                "AMORNROUNDRULE",    "IMORNROUNDMINS",     "IMORNROUNDUPMINS", "LMUSTWORKBASICMORN", "LMUSTWORKBASICOT",
                "LBEFOREMIN",        "IOT1MIN",            "IOT2MIN",       "IOT3MIN",          "IMORNMIN",
                "LMAXBASICEXPECTED", "AEVENTOT1",          "AEVENTOT2",     "AEVENTOT3",        "AEVENTPREOT",
                "ACLASSOT1",         "ACLASSOT2",          "ACLASSOT3",     "ACLASSPREOT",      "LFIXEDOT1",
                "LFIXEDOT2",         "LFIXEDOT3",          "LFIXEDPREOT",   "AOVERRIDEEVENT",   "AOVERRIDECLASS",
                "BOVERRIDEPAYRATE"})
        .add(overtimeRow(scheme));
}

void addOvertimeRules(DatabaseContent& work, bool complete)
{
    auto& rules = work.table("TOVEREXP", {"ASCHEME", "ADAY", "IRULE", "BLENGTH", "LHOLIDAY", "DTIME1", "DTIME2",
                                          "ADESC", "APAYCODE"});
    rules.add({std::string(kDayHours), "WORK DAYS", 1, 30.0, "FALSE", timeValue(12 * 60), timeValue(14 * 60),
               "Minimum lunch break", ""});
    if (!complete)
        return;
    rules.add({std::string(kDayHours), "SUNDAY", 2, 0.0, "TRUE", timeValue(0), timeValue(23 * 60 + 59),
               "Sunday premium", "OT20"});
    rules.add({"Flexi", "WORK DAYS", 3, 240.0, "FALSE", timeValue(10 * 60), timeValue(16 * 60), "Core hours", ""});
}

} // namespace

int WeekTemplate::expectedWeekMinutes() const
{
    int total = 0;
    for (const DayPlan& day : days)
        total += day.expectedMinutes();
    return total;
}

const std::vector<WeekTemplate>& weekTemplates()
{
    static const std::vector<WeekTemplate> templates = {
        {kStandardWeek, weekdays(at(9, 0, 17, 0, 13, 0, 30)), 0, 0, 1},
        {"39 hour week", weekdays(at(8, 0, 16, 48, 12, 30, 30)), 0, 0, 1},
        {"Early shift", weekdays(at(7, 0, 15, 0, 11, 0, 30)), 12.50, 0, 2},
        {"Late shift", weekdays(at(13, 30, 21, 30, 17, 30, 30)), 12.50, 8.00, 2},
        {"35 hour flexi", weekdays(at(9, 0, 17, 0, 13, 0, 60)), 0, 0, 6},
    };
    return templates;
}

const WeekTemplate& weekTemplate(std::string_view name)
{
    for (const WeekTemplate& week : weekTemplates()) {
        if (week.name == name)
            return week;
    }
    throw std::out_of_range("no week template " + std::string(name));
}

const std::vector<CycleTemplate>& cycleTemplates()
{
    static const std::vector<CycleTemplate> cycles = {
        {kStandardCycle, "Standard office week", {kStandardWeek}},
        {"Shift rota", "Early and late shifts in turn", {"Early shift", "Late shift"}},
        {"39 hour cycle", "Doctors and operatives", {"39 hour week"}},
        {"Flexi cycle", "Flexible working, 35 hours", {"35 hour flexi"}},
    };
    return cycles;
}

const CycleTemplate& cycleTemplate(std::string_view name)
{
    for (const CycleTemplate& cycle : cycleTemplates()) {
        if (cycle.name == name)
            return cycle;
    }
    throw std::out_of_range("no cycle template " + std::string(name));
}

Date cycleStart(int year) { return mondayOf(Date{year - 2, 1, 1}); }

const WeekTemplate& weekTemplateOn(const CycleTemplate& cycle, int year, const Date& date)
{
    const long long weeks = (mondayOf(date).dayNumber() - cycleStart(year).dayNumber()) / 7;
    const auto count = static_cast<long long>(cycle.weeks.size());
    const auto index = static_cast<std::size_t>(((weeks % count) + count) % count);
    return weekTemplate(cycle.weeks[index]);
}

void addWorkTemplates(DatabaseContent& work, int year, bool complete)
{
    for (const WeekTemplate& week : weekTemplates()) {
        if (complete || week.name == kStandardWeek)
            addWeekTemplate(work, week);
    }
    for (const CycleTemplate& cycle : cycleTemplates()) {
        if (complete || cycle.name == kStandardCycle)
            addCycle(work, cycle, year);
    }
    for (const OvertimeScheme& scheme : kSchemes) {
        if (complete || scheme.name == kDayHours)
            addOvertimeScheme(work, scheme);
    }
    addOvertimeRules(work, complete);
}

} // namespace zorv::admin
