#pragma once

#include "common/DateTime.h"
#include "tools/TableRows.h"

#include <array>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The plan of one template day, in minutes after midnight; a day off has
/// start == end.
struct DayPlan {
    int start = 0;
    int end = 0;
    int breakStart = 0;
    int breakMinutes = 0;

    bool isWorkDay() const { return end > start; }
    /// Paid minutes expected on the day.
    int expectedMinutes() const { return isWorkDay() ? end - start - breakMinutes : 0; }
};

/// A company week template (TTPLWEEK, TTPLDAY, TTPLWORK).
struct WeekTemplate {
    std::string_view name;
    std::array<DayPlan, 7> days; ///< Monday … Sunday
    double supplement1 = 0;      ///< TTPLWORK.NSP1, copied into new week headers
    double supplement2 = 0;
    int area = 1; ///< TAREA.IAREA booked by the template's events

    const DayPlan& on(const Date& date) const { return days[static_cast<std::size_t>(date.weekday())]; }
    int expectedWeekMinutes() const;
};

/// A cycle template (TTPLCYC, TTPLCYCW): week templates taken in turn.
struct CycleTemplate {
    std::string_view name;
    std::string_view description;
    std::vector<std::string_view> weeks;
};

const std::vector<WeekTemplate>& weekTemplates();
/// Throws std::out_of_range for an unknown name.
const WeekTemplate& weekTemplate(std::string_view name);
const std::vector<CycleTemplate>& cycleTemplates();
const CycleTemplate& cycleTemplate(std::string_view name);

/// The first day of every cycle: the Monday on or before 1 January two years
/// before year, so a year of history lies inside the cycles.
Date cycleStart(int year);
/// The week template that cycle uses in the week holding date.
const WeekTemplate& weekTemplateOn(const CycleTemplate& cycle, int year, const Date& date);

/// Week, cycle and day templates, the template list, overtime schemes and
/// their rules, for the global time-and-attendance database. The smallest
/// set ("37.5 hour week", "Std cycle", scheme "Day Hours") when complete is
/// false.
void addWorkTemplates(DatabaseContent& work, int year, bool complete);

} // namespace zorv::admin
