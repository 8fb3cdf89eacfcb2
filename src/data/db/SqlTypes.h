#pragma once

// Internal to the database layer: conversions between our values and the
// bytes of Firebird messages.

#include "common/DateTime.h"
#include "data/db/TimeOfDay.h"

#include <ibase.h>

namespace zorv::db::detail {

/// Character set ids of RDB$CHARACTER_SETS that matter here.
constexpr unsigned kCharSetOctets = 1;

/// ISC_DATE counts days from 17 November 1858; Date::dayNumber from 1970.
constexpr long long kIscDateOf1970 = 40587;
/// ISC_TIME counts ten-thousandths of a second.
constexpr unsigned kIscTimeUnitsPerSecond = 10000;

inline ISC_DATE toIscDate(const Date& date)
{
    return static_cast<ISC_DATE>(date.dayNumber() + kIscDateOf1970);
}

inline Date fromIscDate(ISC_DATE date)
{
    return Date::fromDayNumber(date - kIscDateOf1970);
}

inline ISC_TIME toIscTime(int secondsAfterMidnight)
{
    return static_cast<ISC_TIME>(secondsAfterMidnight) * kIscTimeUnitsPerSecond;
}

inline int fromIscTime(ISC_TIME time)
{
    return static_cast<int>(time / kIscTimeUnitsPerSecond);
}

inline ISC_TIMESTAMP toIscTimestamp(const DateTime& dateTime)
{
    return ISC_TIMESTAMP{toIscDate(dateTime.date),
                         toIscTime(dateTime.hour * 3600 + dateTime.minute * 60 + dateTime.second)};
}

inline DateTime fromIscTimestamp(const ISC_TIMESTAMP& timestamp)
{
    const int seconds = fromIscTime(timestamp.timestamp_time);
    return DateTime{fromIscDate(timestamp.timestamp_date), seconds / 3600, seconds / 60 % 60, seconds % 60};
}

} // namespace zorv::db::detail
