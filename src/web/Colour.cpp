#include "web/Colour.h"

#include "web/Html.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <utility>

namespace zorv::web {

namespace {
constexpr std::array<std::pair<const char*, const char*>, 20> kDesignNames = {{
    {"clblack", "#000000"},   {"clmaroon", "#800000"}, {"clgreen", "#008000"}, {"clolive", "#808000"},
    {"clnavy", "#000080"},    {"clpurple", "#800080"}, {"clteal", "#008080"},  {"clgray", "#808080"},
    {"clsilver", "#c0c0c0"},  {"clred", "#ff0000"},    {"cllime", "#00ff00"},  {"clyellow", "#ffff00"},
    {"clblue", "#0000ff"},    {"clfuchsia", "#ff00ff"}, {"claqua", "#00ffff"}, {"clwhite", "#ffffff"},
    {"clmoneygreen", "#c0dcc0"}, {"clskyblue", "#a6caf0"}, {"clcream", "#fffbf0"}, {"clmedgray", "#a4a0a0"},
}};

std::string fromNumber(unsigned long long n)
{
    unsigned red = n & 0xFF, green = (n >> 8) & 0xFF, blue = (n >> 16) & 0xFF;
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", red, green, blue);
    return buf;
}
} // namespace

std::string colourToCss(std::string_view value)
{
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.front())))
        value.remove_prefix(1);
    while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
        value.remove_suffix(1);
    if (value.empty())
        return {};
    std::string lower;
    for (char c : value)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [name, css] : kDesignNames)
        if (lower == name)
            return css;
    unsigned long long n = 0;
    const char* first = lower.data();
    const char* last = lower.data() + lower.size();
    int base = 10;
    if (lower[0] == '$') {
        ++first;
        base = 16;
    }
    if (first != last) {
        auto [ptr, ec] = std::from_chars(first, last, n, base);
        if (ec == std::errc() && ptr == last && n <= 0xFFFFFFFFull)
            return fromNumber(n);
    }
    return safeCssValue(lower);
}

} // namespace zorv::web
