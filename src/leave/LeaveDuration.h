#pragma once

#include "common/DateTime.h"

#include <string>

namespace zorv::data {
class TdmMain;
}

namespace zorv::leave {

// The leave look-ups the request pages and the absence screens share. They
// read the session's employee database through dmMain and the leave
// configuration where LeaveSettings says; database errors throw.

/// AType of the leave scheme schemeId: the unit its leave is counted in
/// ("Days", "Hours"); empty when there is no such scheme.
std::string GetSchemeLeaveType(data::TdmMain& dmMain, int schemeId);

/// The length of an absence of staffNo from start to end, both included, in
/// days, or in hours when unit is "HOURS" (any case), rounded to two
/// decimals; 0 when end is before start. Saturdays and Sundays count only
/// when the employee's scheme includes weekends; unless it includes
/// exceptions, the company exception dates of the period are left out (per
/// location when global.ini [Cmphexp] Uselocation is on). An hour figure
/// uses the employee's contractual hours a week, or the company's when those
/// are not above 0. An employee or scheme that is not found counts as a
/// scheme without weekends and exceptions. A period without an end is the
/// caller's to close (with today, say).
double LeaveDuration(data::TdmMain& dmMain, const std::string& staffNo, const std::string& unit, const Date& start,
                     const Date& end);

} // namespace zorv::leave
