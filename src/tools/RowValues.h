#pragma once

#include "common/DateTime.h"
#include "data/db/Decimal.h"
#include "data/db/Value.h"

#include <string>
#include <string_view>

namespace zorv::admin {

// How the stored formats of the shared databases are written (docs/schema.md).

/// Boolean text columns: "TRUE" / "FALSE".
inline const char* truth(bool value) { return value ? "TRUE" : "FALSE"; }

/// A time of day minutes after midnight, stored as a TIMESTAMP dated
/// 30/12/1899; a time past midnight keeps its day offset (31/12/1899).
db::Value timeValue(int minutes);
/// "hh:nn" of minutes after midnight, for the text copies (ASTART, AEND).
std::string hhmm(int minutes);
/// A date as a TIMESTAMP at midnight.
inline db::Value dateValue(const Date& date) { return DateTime{date}; }
inline db::Value dateTimeValue(const Date& date, int minutes)
{
    return DateTime{date, minutes / 60, minutes % 60, 0};
}
/// An exact NUMERIC(15,2) value.
db::Value money(double amount);

/// Upper-case English weekday name of a date (MONDAY … SUNDAY), the stored key.
std::string_view weekdayKey(const Date& date);
/// "Monday" … "Sunday".
std::string_view weekdayName(const Date& date);
/// The Monday of the week holding date.
inline Date mondayOf(const Date& date) { return date.addDays(-date.weekday()); }

} // namespace zorv::admin
