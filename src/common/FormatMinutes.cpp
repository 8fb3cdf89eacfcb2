#include "common/FormatMinutes.h"

#include <cmath>
#include <fmt/format.h>

namespace zorv {

namespace {

constexpr long long kMinutesPerHour = 60;
/// Larger magnitudes do not fit a whole number of minutes (and are no
/// working time anyway).
constexpr double kLargestMinutes = 9.0e18;

} // namespace

std::string FormatMinutes(double minutes)
{
    const double whole = std::round(minutes);
    if (!std::isfinite(whole) || std::fabs(whole) > kLargestMinutes)
        return "0";
    long long rest = static_cast<long long>(whole);
    std::string text;
    if (rest < 0) {
        text = "-";
        rest = -rest;
    }
    if (const long long hours = rest / kMinutesPerHour; hours > 0)
        text += fmt::format("{}H ", hours);
    if (const long long mins = rest % kMinutesPerHour; mins > 0)
        text += fmt::format("{}M ", mins);
    return rest == 0 ? "0" : text;
}

} // namespace zorv
