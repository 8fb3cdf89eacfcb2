#include "tools/DemoCalendar.h"

#include "tools/ReferenceData.h"
#include "tools/RowValues.h"

namespace zorv::admin {

namespace {
constexpr int kHistoryWeeks = 52;
constexpr int kSaturday = 5;
} // namespace

DemoCalendar::DemoCalendar(const Date& today) : today_(today)
{
    const Date thisMonday = mondayOf(today);
    historyStart_ = thisMonday.addDays(-7 * kHistoryWeeks);
    historyEnd_ = thisMonday.addDays(-1);
    for (int year = today.year - 2; year <= today.year + 1; ++year) {
        for (const Date& holiday : publicHolidays(year))
            holidays_.insert(holiday.dayNumber());
    }
}

bool DemoCalendar::isPublicHoliday(const Date& date) const { return holidays_.count(date.dayNumber()) != 0; }

bool DemoCalendar::isWorkingDay(const Date& date) const
{
    return date.weekday() < kSaturday && !isPublicHoliday(date);
}

int DemoCalendar::yearsBetween(const Date& from, const Date& to)
{
    int years = to.year - from.year;
    if (to.month < from.month || (to.month == from.month && to.day < from.day))
        --years;
    return years;
}

} // namespace zorv::admin
