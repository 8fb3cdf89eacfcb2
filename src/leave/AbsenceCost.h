#pragma once

#include "data/db/Decimal.h"

#include <string>
#include <string_view>

namespace zorv::leave {

// The money side of an absence: no database. Amounts are doubles; what is
// stored is rounded to cents with money().

/// The pay in force when an absence starts (a PayHist row); all zero and
/// empty when the employee has no pay row by then.
struct PayInForce {
    std::string payBasis; ///< "Hourly", "Salary" or "Daily" (exact case)
    double pay = 0;       ///< hourly, yearly or daily pay by the basis
    double contractualHours = 0;
    double hourlyRate = 0;
};

/// The pay lost over daysLost: for a scheme counted in hours, daysLost are
/// hours at the hourly rate; otherwise by pay basis: "Hourly" contractual
/// hours / 5 a day at pay an hour, "Salary" pay / 260 a day, "Daily" pay a
/// day; any other basis costs nothing.
double absenceCost(const PayInForce& pay, double daysLost, bool countedInHours);

/// cost + additionalCost + onCostPercent % of cost − payDeduction.
double totalAbsenceCost(double cost, double additionalCost, double onCostPercent, double payDeduction);

/// An amount rounded to cents (half away from zero); throws std::range_error
/// when it is not finite or too large to store.
db::Decimal money(double amount);

/// The number text starts with ("2.5 days" → 2.5, " -1" → -1), or 0 when it
/// does not start with one ("abc", "", ".").
double leadingNumber(std::string_view text);

} // namespace zorv::leave
