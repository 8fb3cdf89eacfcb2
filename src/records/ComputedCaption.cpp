#include "records/ComputedCaption.h"

#include "common/Text.h"
#include "data/db/Connection.h"
#include "server/ErrorLog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace zorv::records {

namespace {

constexpr const char* kErrorContext = "Error-ComputedCaption";
constexpr std::string_view kStaffNoMarker = "%STAFFNO%";
constexpr int kMonthsPerYear = 12;

size_t findNoCase(std::string_view text, std::string_view needle, size_t from = 0)
{
    if (needle.size() > text.size())
        return std::string_view::npos;
    for (size_t i = from; i + needle.size() <= text.size(); ++i)
        if (iequals(text.substr(i, needle.size()), needle))
            return i;
    return std::string_view::npos;
}

/// "mm/dd/yyyy", the form the statements of computed captions are written with.
std::string sqlDate(const Date& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

std::string replaceAllNoCase(std::string text, std::string_view from, std::string_view to)
{
    for (size_t at = findNoCase(text, from); at != std::string::npos; at = findNoCase(text, from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

/// Replaces each marker + n + "%" by the date shift(n) gives, until no
/// complete marker is left.
template <class Shift>
std::string replaceDateMarkers(std::string text, std::string_view marker, Shift shift)
{
    for (size_t at = findNoCase(text, marker); at != std::string::npos; at = findNoCase(text, marker)) {
        const size_t close = text.find('%', at + marker.size());
        if (close == std::string::npos)
            break;
        const std::string_view amount = std::string_view(text).substr(at + marker.size(), close - at - marker.size());
        const long long n = parseWholeNumber(amount).value_or(0);
        text.replace(at, close + 1 - at, sqlDate(shift(n)));
    }
    return text;
}

bool startsWithSelect(std::string_view text)
{
    const std::string_view trimmed = trimView(text);
    constexpr std::string_view kSelect = "select";
    if (!startsWithNoCase(trimmed, kSelect))
        return false;
    if (trimmed.size() == kSelect.size())
        return true;
    const auto next = static_cast<unsigned char>(trimmed[kSelect.size()]);
    return !(std::isalnum(next) || next == '_' || next == '$');
}

/// Binds the %STAFFNO% markers: a bare marker or a literal holding only the
/// marker becomes "?". Nothing when a marker is part of a longer literal.
std::optional<data::BoundSql> bindStaffNo(std::string_view text, const std::string& staffNo)
{
    data::BoundSql bound;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            // A literal (or quoted name); a doubled quote stays inside it.
            size_t end = i + 1;
            while (end < text.size() && !(text[end] == c && (end + 1 >= text.size() || text[end + 1] != c)))
                end += text[end] == c ? 2 : 1;
            const std::string_view content = text.substr(i + 1, std::min(end, text.size()) - i - 1);
            if (iequals(content, kStaffNoMarker)) {
                bound.sql += '?';
                bound.params.push_back(staffNo);
            } else if (findNoCase(content, kStaffNoMarker) != std::string_view::npos) {
                return std::nullopt;
            } else {
                bound.sql += text.substr(i, end + 1 - i);
            }
            i = end + 1;
        } else if (text.substr(i, 2) == "--" || text.substr(i, 2) == "/*") {
            const bool line = text[i + 1] == '-';
            size_t end = text.find(line ? "\n" : "*/", i + 2);
            end = end == std::string_view::npos ? text.size() : end + (line ? 1 : 2);
            bound.sql += text.substr(i, end - i);
            i = end;
        } else if (iequals(text.substr(i, kStaffNoMarker.size()), kStaffNoMarker)) {
            bound.sql += '?';
            bound.params.push_back(staffNo);
            i += kStaffNoMarker.size();
        } else {
            bound.sql += c;
            ++i;
        }
    }
    return bound;
}

} // namespace

Date addMonths(const Date& date, long long months)
{
    const long long index = date.year * 12LL + (date.month - 1) + months;
    Date result{static_cast<int>(index / 12), static_cast<int>(index % 12) + 1, 1};
    const int lastDay = result.addDays(31).addDays(-result.addDays(31).day).day;
    result.day = std::min(date.day, lastDay);
    return result;
}

std::optional<data::BoundSql> captionStatement(std::string_view text, const std::string& staffNo, const Date& today)
{
    std::string sql = replaceAllNoCase(std::string(text), "%now%", sqlDate(today));
    sql = replaceDateMarkers(std::move(sql), "%DAY", [&](long long n) { return today.addDays(n); });
    sql = replaceDateMarkers(std::move(sql), "%MONTH", [&](long long n) { return addMonths(today, n); });
    sql = replaceDateMarkers(std::move(sql), "%YEAR",
                             [&](long long n) { return addMonths(today, n * kMonthsPerYear); });
    if (!startsWithSelect(sql))
        return std::nullopt;
    return bindStaffNo(sql, staffNo);
}

std::string evaluateCaption(db::Connection& employee, std::string_view text, const std::string& staffNo,
                            const Date& today)
{
    const std::optional<data::BoundSql> statement = captionStatement(text, staffNo, today);
    if (!statement) {
        logError(kErrorContext, "a computed caption that is not a single select was not run");
        return kNoCaptionValue;
    }
    try {
        const db::ResultSet rows = employee.query(statement->sql, statement->params);
        if (rows.empty() || rows[0].size() == 0)
            return kNoCaptionValue;
        const std::string value = rows[0][0].asString();
        return value.empty() ? kNoCaptionValue : value;
    } catch (const std::exception& e) {
        logError(kErrorContext, e.what());
        return kNoCaptionValue;
    }
}

} // namespace zorv::records
