#include "data/db/Value.h"

#include "common/Text.h"
#include "data/db/DatabaseError.h"

#include <charconv>
#include <cmath>
#include <fmt/format.h>

namespace zorv::db {

namespace {

constexpr double kInt64Limit = 9223372036854775808.0;

/// The value for an error message; long text is cut.
std::string describe(const Value& value)
{
    constexpr std::size_t kShownLength = 40;
    switch (value.kind()) {
    case ValueKind::Null: return "null";
    case ValueKind::Integer: return "the number " + value.asString();
    case ValueKind::Decimal: return "the number " + value.asString();
    case ValueKind::Double: return "the number " + value.asString();
    case ValueKind::Text: return "'" + value.asString().substr(0, kShownLength) + "'";
    case ValueKind::Date: return "the date " + value.asString();
    case ValueKind::DateTime: return "the date-time " + value.asString();
    case ValueKind::Time: return "the time " + value.asString();
    }
    return "a value";
}

[[noreturn]] void throwNot(const Value& value, std::string_view what)
{
    throw DatabaseError(describe(value) + " is not " + std::string(what));
}

bool isMidnight(const DateTime& dateTime)
{
    return dateTime.hour == 0 && dateTime.minute == 0 && dateTime.second == 0;
}

std::optional<double> parseDouble(std::string_view text)
{
    text = trimView(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double result = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return result;
}

/// The decimal with the fewest digits that is exactly this double.
std::optional<Decimal> shortestDecimal(double value)
{
    std::optional<Decimal> best;
    for (int scale = 0; scale <= Decimal::kMaxScale; ++scale) {
        const std::optional<Decimal> candidate = Decimal::fromDouble(value, scale);
        if (!candidate)
            break;
        best = candidate;
        if (candidate->toDouble() == value)
            break;
    }
    return best;
}

} // namespace

std::string Value::asString() const
{
    switch (kind()) {
    case ValueKind::Null: return {};
    case ValueKind::Integer: return std::to_string(std::get<std::int64_t>(data_));
    case ValueKind::Decimal: return std::get<Decimal>(data_).format();
    case ValueKind::Double: return fmt::format("{}", std::get<double>(data_));
    case ValueKind::Text: return std::get<std::string>(data_);
    case ValueKind::Date: return std::get<Date>(data_).format();
    case ValueKind::DateTime: {
        const DateTime& dateTime = std::get<DateTime>(data_);
        return isMidnight(dateTime) ? dateTime.date.format() : dateTime.format();
    }
    case ValueKind::Time: return std::get<TimeOfDay>(data_).format();
    }
    return {};
}

std::int64_t Value::asInt() const
{
    switch (kind()) {
    case ValueKind::Null: return 0;
    case ValueKind::Integer: return std::get<std::int64_t>(data_);
    case ValueKind::Decimal: return std::get<Decimal>(data_).rounded();
    case ValueKind::Double: {
        const double rounded = std::round(std::get<double>(data_));
        if (!std::isfinite(rounded) || rounded >= kInt64Limit || rounded < -kInt64Limit)
            throwNot(*this, "a whole number in range");
        return static_cast<std::int64_t>(rounded);
    }
    case ValueKind::Text:
        if (const std::optional<Decimal> number = Decimal::parse(std::get<std::string>(data_)))
            return number->rounded();
        break;
    default: break;
    }
    throwNot(*this, "a number");
}

double Value::asDouble() const
{
    switch (kind()) {
    case ValueKind::Null: return 0;
    case ValueKind::Integer: return static_cast<double>(std::get<std::int64_t>(data_));
    case ValueKind::Decimal: return std::get<Decimal>(data_).toDouble();
    case ValueKind::Double: return std::get<double>(data_);
    case ValueKind::Text:
        if (const std::optional<double> number = parseDouble(std::get<std::string>(data_)))
            return *number;
        break;
    default: break;
    }
    throwNot(*this, "a number");
}

Decimal Value::asDecimal() const
{
    switch (kind()) {
    case ValueKind::Null: return Decimal{};
    case ValueKind::Integer: return Decimal{std::get<std::int64_t>(data_), 0};
    case ValueKind::Decimal: return std::get<Decimal>(data_);
    case ValueKind::Double:
        if (const std::optional<Decimal> number = shortestDecimal(std::get<double>(data_)))
            return *number;
        throwNot(*this, "a decimal in range");
    case ValueKind::Text:
        if (const std::optional<Decimal> number = Decimal::parse(std::get<std::string>(data_)))
            return *number;
        break;
    default: break;
    }
    throwNot(*this, "a number");
}

Date Value::asDate() const
{
    switch (kind()) {
    case ValueKind::Date: return std::get<Date>(data_);
    case ValueKind::DateTime: return std::get<DateTime>(data_).date;
    case ValueKind::Text:
        if (const std::optional<DateTime> dateTime = DateTime::parse(std::get<std::string>(data_)))
            return dateTime->date;
        break;
    default: break;
    }
    throwNot(*this, "a date (dd/mm/yyyy)");
}

DateTime Value::asDateTime() const
{
    switch (kind()) {
    case ValueKind::Date: return DateTime{std::get<Date>(data_)};
    case ValueKind::DateTime: return std::get<DateTime>(data_);
    case ValueKind::Text:
        if (const std::optional<DateTime> dateTime = DateTime::parse(std::get<std::string>(data_)))
            return *dateTime;
        break;
    default: break;
    }
    throwNot(*this, "a date-time (dd/mm/yyyy hh:nn:ss)");
}

TimeOfDay Value::asTime() const
{
    switch (kind()) {
    case ValueKind::Time: return std::get<TimeOfDay>(data_);
    case ValueKind::DateTime: {
        const DateTime& dateTime = std::get<DateTime>(data_);
        return TimeOfDay{dateTime.hour * 3600 + dateTime.minute * 60 + dateTime.second};
    }
    case ValueKind::Text:
        if (const std::optional<int> seconds = parseTimeOfDay(std::get<std::string>(data_)))
            return TimeOfDay{*seconds};
        break;
    default: break;
    }
    throwNot(*this, "a time of day (hh:mm:ss)");
}

} // namespace zorv::db
