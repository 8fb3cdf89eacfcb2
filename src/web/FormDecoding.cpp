#include "web/FormDecoding.h"

namespace zorv::web {

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::optional<std::string> percentDecode(std::string_view text, bool plusIsBlank)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+' && plusIsBlank) {
            out += ' ';
        } else if (c == '%') {
            int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0)
                return std::nullopt;
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool decodeUrlEncoded(std::string_view body, PostedForm& form, size_t maxFields)
{
    size_t fields = 0;
    size_t pos = 0;
    while (pos <= body.size()) {
        size_t amp = body.find('&', pos);
        if (amp == std::string_view::npos)
            amp = body.size();
        std::string_view pair = body.substr(pos, amp - pos);
        pos = amp + 1;
        if (pair.empty())
            continue;
        if (++fields > maxFields)
            return false;
        size_t eq = pair.find('=');
        auto name = percentDecode(pair.substr(0, eq), true);
        auto value = eq == std::string_view::npos ? std::optional<std::string>("")
                                                  : percentDecode(pair.substr(eq + 1), true);
        if (!name || !value)
            return false;
        form.add(std::move(*name), std::move(*value));
    }
    return true;
}

} // namespace zorv::web
