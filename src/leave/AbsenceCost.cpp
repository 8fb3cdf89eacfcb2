#include "leave/AbsenceCost.h"

#include "common/Text.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <stdexcept>

namespace zorv::leave {

namespace {

constexpr double kWorkingDaysPerWeek = 5;
constexpr double kWorkingDaysPerYear = 260;
constexpr double kPercent = 100;
constexpr int kCents = 2;

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

/// The length of the digits at the front of text.
std::size_t digitsAt(std::string_view text)
{
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count]))
        ++count;
    return count;
}

} // namespace

double absenceCost(const PayInForce& pay, double daysLost, bool countedInHours)
{
    if (countedInHours)
        return pay.hourlyRate * daysLost;
    if (pay.payBasis == "Hourly")
        return pay.contractualHours / kWorkingDaysPerWeek * daysLost * pay.pay;
    if (pay.payBasis == "Salary")
        return daysLost * pay.pay / kWorkingDaysPerYear;
    if (pay.payBasis == "Daily")
        return daysLost * pay.pay;
    return 0;
}

double totalAbsenceCost(double cost, double additionalCost, double onCostPercent, double payDeduction)
{
    return cost + additionalCost + onCostPercent / kPercent * cost - payDeduction;
}

db::Decimal money(double amount)
{
    const std::optional<db::Decimal> cents = db::Decimal::fromDouble(amount, kCents);
    if (!cents)
        throw std::range_error("The amount is too large to store.");
    return *cents;
}

double leadingNumber(std::string_view text)
{
    const std::string_view trimmed = trimView(text);
    std::size_t length = 0;
    if (length < trimmed.size() && (trimmed[length] == '-' || trimmed[length] == '+'))
        ++length;
    const std::size_t whole = digitsAt(trimmed.substr(length));
    length += whole;
    std::size_t fraction = 0;
    if (length < trimmed.size() && trimmed[length] == '.') {
        fraction = digitsAt(trimmed.substr(length + 1));
        if (fraction > 0)
            length += 1 + fraction;
    }
    if (whole == 0 && fraction == 0)
        return 0;
    // from_chars takes no plus sign.
    const std::size_t from = trimmed.front() == '+' ? 1 : 0;
    double number = 0;
    std::from_chars(trimmed.data() + from, trimmed.data() + length, number);
    return number;
}

} // namespace zorv::leave
