#include "web/controls/PostedText.h"

namespace zorv::web {

bool isValidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size())
            return false;
        unsigned cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (size_t k = 1; k < len; ++k) {
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        bool overlong = (len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

namespace {
std::string clean(std::string_view value, size_t maxChars, bool multiLine)
{
    std::string out;
    out.reserve(std::min(value.size(), maxChars * 4));
    size_t chars = 0;
    for (size_t i = 0; i < value.size() && chars < maxChars; ++i) {
        auto c = static_cast<unsigned char>(value[i]);
        if (multiLine && c == '\n') {
            out += "\r\n";
            ++chars;
            continue;
        }
        if (c < 0x20 || c == 0x7F) {
            if (c == '\t')
                out += ' ', ++chars;
            continue;
        }
        if ((c & 0xC0) != 0x80)
            ++chars;
        out += static_cast<char>(c);
    }
    // A cut may leave the continuation bytes of the last character behind.
    while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80 && !isValidUtf8(out))
        out.pop_back();
    if (!out.empty() && !isValidUtf8(out))
        out.pop_back();
    return out;
}
} // namespace

std::string postedLine(std::string_view value, size_t maxChars) { return clean(value, maxChars, false); }
std::string postedText(std::string_view value, size_t maxChars) { return clean(value, maxChars, true); }

} // namespace zorv::web
