#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorv::db {

/// An exact decimal number, units × 10^-scale: 1234.50 is {123450, 2}. This is
/// how Firebird stores NUMERIC and DECIMAL, so values round-trip unchanged.
struct Decimal {
    static constexpr int kMaxScale = 18;

    std::int64_t units = 0;
    int scale = 0; ///< digits after the decimal point, 0..kMaxScale

    /// "1234.50", "-0.01", "7": always scale digits after the point.
    std::string format() const;
    double toDouble() const;
    /// The same value with newScale digits, rounded half away from zero;
    /// nothing when it does not fit or newScale is out of range.
    std::optional<Decimal> rescaled(int newScale) const;
    /// The nearest whole number, rounded half away from zero.
    std::int64_t rounded() const;

    /// "-12.345", "+7", "0.5", ".5", surrounding blanks allowed; nothing for
    /// anything else (exponents, thousands separators) or out of range.
    static std::optional<Decimal> parse(std::string_view text);
    /// The nearest decimal with that scale; nothing when value is not finite
    /// or does not fit.
    static std::optional<Decimal> fromDouble(double value, int scale);

    /// Compares units and scale: 1.5 and 1.50 differ.
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

} // namespace zorv::db
