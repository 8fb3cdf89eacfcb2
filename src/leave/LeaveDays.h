#pragma once

#include "common/DateTime.h"

#include <span>

namespace zorv::leave {

// The arithmetic of an absence's length: no database, no clock.

/// Saturday or Sunday.
bool isWeekend(const Date& date);

/// The days from start to end, both included; Saturdays and Sundays count
/// only with includeWeekends. 0 when end is before start.
long long countLeaveDays(const Date& start, const Date& end, bool includeWeekends);

/// countLeaveDays less the company exception dates (public holidays) that
/// fall on a counted day of the period; a date listed twice counts once.
long long countLeaveDaysLessExceptions(const Date& start, const Date& end, bool includeWeekends,
                                       std::span<const Date> exceptionDates);

/// Leave days in hours: a day is a seventh of the weekly hours when weekends
/// count, a fifth otherwise.
double leaveDaysInHours(long long days, double weeklyHours, bool includeWeekends);

/// x rounded to two decimals as it prints ("%.2f"), read back.
double roundToHundredths(double x);

} // namespace zorv::leave
