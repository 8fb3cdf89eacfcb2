#include "leave/LeaveDays.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <set>

namespace zorv::leave {

namespace {

constexpr int kDaysPerWeek = 7;
constexpr int kWorkingDaysPerWeek = 5;
constexpr int kSaturday = 5; // Date::weekday(): 0 = Monday … 6 = Sunday

} // namespace

bool isWeekend(const Date& date) { return date.weekday() >= kSaturday; }

long long countLeaveDays(const Date& start, const Date& end, bool includeWeekends)
{
    const long long days = end.dayNumber() - start.dayNumber() + 1;
    if (days <= 0)
        return 0;
    if (includeWeekends)
        return days;
    // Whole weeks hold five working days each; walk the days left over.
    long long working = days / kDaysPerWeek * kWorkingDaysPerWeek;
    const int firstWeekday = start.weekday();
    for (long long extra = 0; extra < days % kDaysPerWeek; ++extra)
        working += (firstWeekday + extra) % kDaysPerWeek < kSaturday ? 1 : 0;
    return working;
}

long long countLeaveDaysLessExceptions(const Date& start, const Date& end, bool includeWeekends,
                                       std::span<const Date> exceptionDates)
{
    auto isCountedDay = [&](const Date& date) {
        return date >= start && date <= end && (includeWeekends || !isWeekend(date));
    };
    std::set<Date> counted;
    for (const Date& date : exceptionDates)
        if (isCountedDay(date))
            counted.insert(date);
    return std::max(0LL, countLeaveDays(start, end, includeWeekends) - static_cast<long long>(counted.size()));
}

double leaveDaysInHours(long long days, double weeklyHours, bool includeWeekends)
{
    const int daysPerWeek = includeWeekends ? kDaysPerWeek : kWorkingDaysPerWeek;
    return static_cast<double>(days) * weeklyHours / daysPerWeek;
}

double roundToHundredths(double x)
{
    if (!std::isfinite(x))
        return x;
    const std::string text = fmt::format("{:.2f}", x);
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

} // namespace zorv::leave
