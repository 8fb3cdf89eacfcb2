#include "web/Html.h"

#include <cctype>

namespace zorv::web {

namespace {
/// Appends text to out with the five HTML special characters escaped,
/// copying runs of plain characters at once.
void appendEscaped(std::string& out, std::string_view text)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* replacement;
        switch (text[i]) {
        case '&': replacement = "&amp;"; break;
        case '<': replacement = "&lt;"; break;
        case '>': replacement = "&gt;"; break;
        case '"': replacement = "&quot;"; break;
        case '\'': replacement = "&#39;"; break;
        default: continue;
        }
        out.append(text.data() + start, i - start);
        out += replacement;
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}
} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    appendEscaped(out, text);
    return out;
}

std::string escapeJs(std::string_view text)
{
    static const char* hex = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == ' ' || c == '.' || c == ',' || c == '_' || c == '-' || c >= 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    return out;
}

std::string safeCssValue(std::string_view v)
{
    if (v.empty() || v.size() > 32)
        return {};
    if (v[0] == '#') {
        bool hexDigits = v.size() == 4 || v.size() == 7;
        for (size_t i = 1; hexDigits && i < v.size(); ++i)
            hexDigits = std::isxdigit(static_cast<unsigned char>(v[i]));
        return hexDigits ? std::string(v) : std::string();
    }
    bool alpha = true, numeric = true;
    for (size_t i = 0; i < v.size(); ++i) {
        auto c = static_cast<unsigned char>(v[i]);
        alpha = alpha && std::isalpha(c);
        bool unitTail = std::isalpha(c) && i > 0;
        numeric = numeric && (std::isdigit(c) || c == '.' || c == '%' || unitTail);
    }
    if (alpha || (numeric && std::isdigit(static_cast<unsigned char>(v[0]))))
        return std::string(v);
    return {};
}

Markup Markup::fromTextWithBreaks(std::string_view text)
{
    std::string html;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find_first_of("\r\n", start);
        html += escapeHtml(text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start));
        if (nl == std::string_view::npos)
            break;
        html += "<br>";
        // "\r\n" and "\n\r" count as one break.
        size_t next = nl + 1;
        if (next < text.size() && (text[next] == '\r' || text[next] == '\n') && text[next] != text[nl])
            ++next;
        start = next;
    }
    return Markup(std::move(html));
}

HtmlWriter& HtmlWriter::open(std::string_view tag)
{
    out_ += '<';
    out_ += tag;
    return *this;
}

HtmlWriter& HtmlWriter::attr(std::string_view name, std::string_view value)
{
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    appendEscaped(out_, value);
    out_ += '"';
    return *this;
}

HtmlWriter& HtmlWriter::attr(std::string_view name, long long value)
{
    return attr(name, std::to_string(value));
}

HtmlWriter& HtmlWriter::flag(std::string_view name, bool on)
{
    if (on) {
        out_ += ' ';
        out_ += name;
    }
    return *this;
}

HtmlWriter& HtmlWriter::cls(std::string_view classes)
{
    return classes.empty() ? *this : attr("class", classes);
}

HtmlWriter& HtmlWriter::end()
{
    out_ += '>';
    return *this;
}

HtmlWriter& HtmlWriter::close(std::string_view tag)
{
    out_ += "</";
    out_ += tag;
    out_ += '>';
    return *this;
}

HtmlWriter& HtmlWriter::text(std::string_view t)
{
    appendEscaped(out_, t);
    return *this;
}

HtmlWriter& HtmlWriter::markup(const Markup& m)
{
    out_ += m.str();
    return *this;
}

HtmlWriter& HtmlWriter::element(std::string_view tag, std::string_view classes, std::string_view t)
{
    open(tag).cls(classes).end().text(t).close(tag);
    return *this;
}

} // namespace zorv::web
