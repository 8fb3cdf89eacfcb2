#include "data/db/Decimal.h"

#include "common/Text.h"

#include <array>
#include <cmath>

namespace zorv::db {

namespace {

constexpr std::array<std::int64_t, Decimal::kMaxScale + 1> kPowersOfTen = [] {
    std::array<std::int64_t, Decimal::kMaxScale + 1> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 10;
    return powers;
}();

// Doubles at or beyond 2^63 do not convert to int64.
constexpr double kInt64Limit = 9223372036854775808.0;

bool isValidScale(int scale)
{
    return scale >= 0 && scale <= Decimal::kMaxScale;
}

std::uint64_t magnitude(std::int64_t value)
{
    return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

/// value / divisor rounded half away from zero.
std::int64_t divideRounded(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    const std::int64_t remainder = value % divisor;
    if (magnitude(remainder) * 2 < static_cast<std::uint64_t>(divisor))
        return quotient;
    return value < 0 ? quotient - 1 : quotient + 1;
}

} // namespace

std::string Decimal::format() const
{
    std::string digits = std::to_string(magnitude(units));
    if (scale > 0) {
        const std::size_t width = static_cast<std::size_t>(scale) + 1;
        if (digits.size() < width)
            digits.insert(0, width - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(scale), 1, '.');
    }
    return units < 0 ? "-" + digits : digits;
}

double Decimal::toDouble() const
{
    return static_cast<double>(units) / static_cast<double>(kPowersOfTen[static_cast<std::size_t>(scale)]);
}

std::optional<Decimal> Decimal::rescaled(int newScale) const
{
    if (!isValidScale(newScale))
        return std::nullopt;
    if (newScale < scale)
        return Decimal{divideRounded(units, kPowersOfTen[static_cast<std::size_t>(scale - newScale)]), newScale};
    std::int64_t result = 0;
    if (__builtin_mul_overflow(units, kPowersOfTen[static_cast<std::size_t>(newScale - scale)], &result))
        return std::nullopt;
    return Decimal{result, newScale};
}

std::int64_t Decimal::rounded() const
{
    return divideRounded(units, kPowersOfTen[static_cast<std::size_t>(scale)]);
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    text = trimView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t units = 0;
    int scale = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c : text) {
        if (c == '.' && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        seenDigit = true;
        if (seenPoint && ++scale > kMaxScale)
            return std::nullopt;
        // Accumulate negatively so that the most negative value still fits.
        if (__builtin_mul_overflow(units, 10, &units) || __builtin_sub_overflow(units, c - '0', &units))
            return std::nullopt;
    }
    if (!seenDigit)
        return std::nullopt;
    if (negative)
        return Decimal{units, scale};
    if (units == INT64_MIN)
        return std::nullopt;
    return Decimal{-units, scale};
}

std::optional<Decimal> Decimal::fromDouble(double value, int scale)
{
    if (!isValidScale(scale) || !std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(value * static_cast<double>(kPowersOfTen[static_cast<std::size_t>(scale)]));
    if (scaled >= kInt64Limit || scaled < -kInt64Limit)
        return std::nullopt;
    return Decimal{static_cast<std::int64_t>(scaled), scale};
}

} // namespace zorv::db
