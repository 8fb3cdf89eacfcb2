#include "data/RowRules.h"

#include "common/Text.h"
#include "data/Dataset.h"

#include <array>
#include <fmt/format.h>
#include <stdexcept>

namespace zorv::data {

namespace {

constexpr std::array<const char*, 7> kShortDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

/// The first character of UTF-8 text (all its bytes).
std::string firstCharacter(std::string_view text) { return firstCharacters(text, 1); }

bool isBlankValue(const db::Value& v)
{
    return v.isNull() || (v.kind() == db::ValueKind::Text && trim(v.asString()).empty());
}

db::Decimal decimalOf(const db::Value& v) { return isBlankValue(v) ? db::Decimal{} : v.asDecimal(); }

void setIfPresent(Dataset& dataset, std::string_view field, db::Value value)
{
    if (dataset.hasField(field))
        dataset.setField(field, std::move(value));
}

} // namespace

std::string shortDayName(const Date& date) { return kShortDayNames[static_cast<size_t>(date.weekday())]; }

void setDateParts(Dataset& dataset, std::string_view dateField, bool yearOnly) noexcept
{
    try {
        const db::Value& value = dataset.field(dateField);
        if (isBlankValue(value))
            return;
        const Date date = value.asDate();
        setIfPresent(dataset, "SYear", date.year);
        if (yearOnly)
            return;
        setIfPresent(dataset, "SDay", date.day);
        setIfPresent(dataset, "DayName", shortDayName(date));
        setIfPresent(dataset, "SMonth", date.month);
    } catch (...) {
        // A date that does not convert leaves the parts as they were.
    }
}

std::optional<db::Decimal> multiplyExact(const db::Decimal& a, const db::Decimal& b, int scale)
{
    std::int64_t units = 0;
    if (__builtin_mul_overflow(a.units, b.units, &units))
        return std::nullopt;
    const int productScale = a.scale + b.scale;
    if (productScale > db::Decimal::kMaxScale)
        return std::nullopt;
    return db::Decimal{units, productScale}.rescaled(scale);
}

void fillAllowanceAmount(Dataset& dataset)
{
    const db::Decimal amount = decimalOf(dataset.field("NAmount"));
    if (amount.units != 0)
        return;
    const db::Decimal rate = decimalOf(dataset.field("NRate"));
    const db::Decimal occurrences = decimalOf(dataset.field("NOccurance"));
    const int scale = dataset.columns()[*dataset.columns().find("NAmount")].scale;
    const std::optional<db::Decimal> product = multiplyExact(rate, occurrences, scale);
    if (!product)
        throw std::range_error("The amount " + rate.format() + " x " + occurrences.format() + " is too large.");
    dataset.setField("NAmount", *product);
}

std::string hoursText(const db::Value& time)
{
    if (isBlankValue(time))
        return {};
    const int seconds = time.asTime().seconds;
    return fmt::format("{:02}:{:02}", seconds / kSecondsPerHour, seconds % kSecondsPerHour / kSecondsPerMinute);
}

void fillHoursText(Dataset& dataset)
{
    const std::string start = hoursText(dataset.field("tEventTimestart"));
    const std::string end = hoursText(dataset.field("tEventTimeend"));
    dataset.setField("astart", start.empty() ? db::Value() : db::Value(start));
    dataset.setField("aEnd", end.empty() ? db::Value() : db::Value(end));
    if (isBlankValue(dataset.field("idayno")))
        dataset.setField("idayno", 0);
}

std::string postName(std::string_view title, std::string_view forenames, std::string_view surname)
{
    std::vector<std::string> parts;
    auto add = [&](std::string_view part) {
        if (!trimView(part).empty())
            parts.emplace_back(trimView(part));
    };
    const std::string_view names = trimView(forenames);
    add(title);
    add(firstCharacter(names));
    if (const size_t blank = names.find(' '); blank != std::string_view::npos)
        add(firstCharacter(trimView(names.substr(blank + 1))));
    add(surname);
    return join(parts, " ");
}

int ageOn(const Date& dob, const Date& today)
{
    const bool birthdayToCome = today.month < dob.month || (today.month == dob.month && today.day < dob.day);
    return today.year - dob.year - (birthdayToCome ? 1 : 0);
}

std::string firstCharacters(std::string_view text, std::size_t maxCharacters)
{
    size_t end = 0;
    for (size_t count = 0; end < text.size() && count < maxCharacters; ++count) {
        ++end;
        while (end < text.size() && isUtf8Continuation(text[end]))
            ++end;
    }
    return std::string(text.substr(0, end));
}

} // namespace zorv::data
