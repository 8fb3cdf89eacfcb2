#include "common/Text.h"

#include <array>
#include <charconv>

namespace zorv {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Unicode code points of Windows-1252 bytes 0x80..0x9F; the undefined
/// bytes keep their own value (C1 controls).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char kUnmappable = '?';
constexpr char32_t kFirstHighByte = 0x80;
constexpr char32_t kLastHighByte = 0x9F;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

std::optional<unsigned char> cp1252Byte(char32_t cp)
{
    bool isLatin1Shared = cp < kFirstHighByte || (cp > kLastHighByte && cp <= 0xFF);
    if (isLatin1Shared)
        return static_cast<unsigned char>(cp);
    for (size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == cp)
            return static_cast<unsigned char>(kFirstHighByte + i);
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

struct Decoded {
    char32_t codePoint;
    size_t length; ///< bytes consumed; 0 when the sequence is malformed
};

/// Decodes one UTF-8 sequence at the start of text, rejecting overlong
/// forms, surrogates and values past U+10FFFF.
Decoded decodeUtf8(std::string_view text)
{
    auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return {lead, 1};
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {0, 0};
    }
    if (text.size() < length)
        return {0, 0};
    for (size_t i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        cp = (cp << 6) | (next & 0x3F);
    }
    bool isSurrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp < minimum || cp > kMaxCodePoint || isSurrogate)
        return {0, 0};
    return {cp, length};
}

} // namespace

std::string toUpper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

std::string toLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

std::string_view trimView(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string trim(std::string_view text)
{
    return std::string(trimView(text));
}

bool iequals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && iequals(text.substr(0, prefix.size()), prefix);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    size_t start = 0;
    for (size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, start)) {
        out.append(text.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t hit = text.find(separator); hit != std::string_view::npos;
         hit = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, hit - start));
        start = hit + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::string join(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.append(separator);
        out.append(parts[i]);
    }
    return out;
}

std::optional<long long> parseWholeNumber(std::string_view text)
{
    text = trimView(text);
    bool hasPlusSign = !text.empty() && text.front() == '+';
    if (hasPlusSign)
        text.remove_prefix(1);
    if (hasPlusSign && !text.empty() && text.front() == '-')
        return std::nullopt;
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        Decoded d = decodeUtf8(utf8);
        if (d.length == 0) {
            out += kUnmappable;
            utf8.remove_prefix(1);
            continue;
        }
        auto byte = cp1252Byte(d.codePoint);
        out += byte ? static_cast<char>(*byte) : kUnmappable;
        utf8.remove_prefix(d.length);
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) {
        auto byte = static_cast<unsigned char>(c);
        bool isHighRange = byte >= kFirstHighByte && byte <= kLastHighByte;
        appendUtf8(out, isHighRange ? kCp1252High[byte - kFirstHighByte] : char32_t(byte));
    }
    return out;
}

} // namespace zorv
