#pragma once

#include "common/DateTime.h"
#include "data/db/Decimal.h"
#include "data/db/TimeOfDay.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zorv::db {

enum class ValueKind { Null, Integer, Decimal, Double, Text, Date, DateTime, Time };

/// One parameter or one column value. Text is UTF-8 (text BLOBs read as text).
/// The as… accessors convert between kinds where that is unambiguous:
///   - asString formats any kind: dates dd/mm/yyyy, date-times
///     "dd/mm/yyyy hh:nn:ss" (just the date at midnight), decimals with all
///     their scale digits; null gives "".
///   - asInt, asDouble, asDecimal take numbers and numeric text; asInt rounds
///     half away from zero; null gives 0.
///   - asDate, asDateTime, asTime take dates, date-times, times and text in
///     the shown formats (dd/mm/yyyy, dd/mm/yyyy hh:nn[:ss], hh:mm[:ss]);
///     a null has no date and throws: test isNull() first.
/// A conversion that fails throws DatabaseError.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    template <std::integral T>
        requires(!std::same_as<T, char>)
    Value(T value) : data_(static_cast<std::int64_t>(value))
    {
    }
    Value(Decimal value) : data_(value) {}
    Value(double value) : data_(value) {}
    Value(std::string value) : data_(std::move(value)) {}
    Value(std::string_view value) : data_(std::string(value)) {}
    Value(const char* value) : data_(std::string(value)) {}
    Value(Date value) : data_(value) {}
    Value(DateTime value) : data_(value) {}
    Value(TimeOfDay value) : data_(value) {}
    /// Null when empty.
    template <class T>
    Value(const std::optional<T>& value)
    {
        if (value)
            *this = Value(*value);
    }

    ValueKind kind() const { return static_cast<ValueKind>(data_.index()); }
    bool isNull() const { return kind() == ValueKind::Null; }

    std::string asString() const;
    std::int64_t asInt() const;
    double asDouble() const;
    /// Integers have scale 0, doubles the fewest digits that show them exactly
    /// (at most Decimal::kMaxScale).
    Decimal asDecimal() const;
    Date asDate() const;
    DateTime asDateTime() const;
    TimeOfDay asTime() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    // The order follows ValueKind.
    std::variant<std::monostate, std::int64_t, Decimal, double, std::string, Date, DateTime, TimeOfDay> data_;
};

/// The parameters of a statement, in the order of its question marks.
using Params = std::vector<Value>;

} // namespace zorv::db
