#pragma once

#include <compare>
#include <string>

namespace zorv::db {

/// A time of day to the second, as Firebird TIME columns hold it (their
/// ten-thousandths of a second are dropped when read).
struct TimeOfDay {
    static constexpr int kSecondsPerDay = 86400;

    int seconds = 0; ///< after midnight, 0..kSecondsPerDay - 1

    /// From a fraction of a day (0.5 is noon), rounded to the second; only the
    /// fractional part counts, so 1.25 is 06:00.
    static TimeOfDay fromFraction(double dayFraction);
    double fraction() const { return static_cast<double>(seconds) / kSecondsPerDay; }
    /// "hh:mm:ss".
    std::string format() const;

    friend auto operator<=>(const TimeOfDay&, const TimeOfDay&) = default;
};

} // namespace zorv::db
