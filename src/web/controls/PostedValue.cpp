#include "web/controls/PostedValue.h"

#include <cctype>
#include <charconv>

namespace zorv::web {

namespace {
/// Longest number text looked at; longer posts are not numbers we use.
constexpr size_t kMaxNumberLength = 40;

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}
} // namespace

std::optional<int> postedIndex(std::string_view text, int count)
{
    if (text.empty() || text.size() > 9 || !isDigit(text.front()))
        return std::nullopt;
    int index = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (ec != std::errc() || end != text.data() + text.size() || index >= count)
        return std::nullopt;
    return index;
}

std::optional<long long> postedInteger(std::string_view text)
{
    text = trimmed(text);
    if (text.size() > kMaxNumberLength)
        return std::nullopt;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || !(isDigit(text.front()) || text.front() == '-'))
        return std::nullopt;
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::string> postedDecimal(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.size() > kMaxNumberLength)
        return std::nullopt;
    size_t i = (text.front() == '-' || text.front() == '+') ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            ++digits;
            continue;
        }
        if (text[i] != '.' || point)
            return std::nullopt;
        point = true;
    }
    if (digits == 0)
        return std::nullopt;
    return std::string(text);
}

} // namespace zorv::web
