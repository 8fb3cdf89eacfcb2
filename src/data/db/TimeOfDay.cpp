#include "data/db/TimeOfDay.h"

#include <cmath>
#include <fmt/format.h>

namespace zorv::db {

TimeOfDay TimeOfDay::fromFraction(double dayFraction)
{
    if (!std::isfinite(dayFraction))
        return TimeOfDay{};
    const double withinDay = dayFraction - std::floor(dayFraction);
    const long rounded = std::lround(withinDay * kSecondsPerDay);
    return TimeOfDay{static_cast<int>(rounded % kSecondsPerDay)};
}

std::string TimeOfDay::format() const
{
    return fmt::format("{:02}:{:02}:{:02}", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace zorv::db
