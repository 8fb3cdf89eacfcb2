#pragma once

#include "tools/DemoAbsences.h"
#include "tools/DemoCalendar.h"
#include "tools/DemoStaff.h"
#include "tools/Random.h"
#include "tools/TableRows.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// Hour codes of a doctor's claim day (NCHDHRS.A0 … A23): basic rostered
/// hours, overtime (also a quarter, a half and three quarters of an hour, in
/// WIN1252 single-byte fractions) and on-call hours.
inline constexpr std::string_view kBasicHour = "B";
inline constexpr std::string_view kOvertimeHour = "O";
inline constexpr std::string_view kHalfHourOvertime = "½O";
inline constexpr std::string_view kOnCallHour = "C";

/// The doctors' posts, claim months (the three months before this one and the
/// month so far) with one row per day, on-call rotas and the approved months,
/// in the web database. absences holds each doctor's absences by staff number.
void addDoctorClaims(const Site& site, const std::map<std::string, std::vector<AbsenceSpan>>& absences,
                     const DemoCalendar& calendar, Random& random, KeySource& keys, DatabaseContent& web);

} // namespace zorv::admin
