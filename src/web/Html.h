#pragma once

#include <string>
#include <string_view>

namespace zorv::web {

/// Markup built by code from literals. It is the only way to put unescaped
/// HTML on a page: every other text is escaped by HtmlWriter.
class Markup {
public:
    Markup() = default;
    /// The caller vouches that html holds no data from users, files or databases,
    /// or only data that it escaped itself.
    static Markup trusted(std::string html) { return Markup(std::move(html)); }
    /// Plain text escaped, with each line break turned into "<br>".
    static Markup fromTextWithBreaks(std::string_view text);
    const std::string& str() const { return html_; }
    bool empty() const { return html_.empty(); }

private:
    explicit Markup(std::string html) : html_(std::move(html)) {}
    std::string html_;
};

std::string escapeHtml(std::string_view text);
/// Escapes for a JavaScript string literal inside an HTML attribute or script.
std::string escapeJs(std::string_view text);
/// Keeps a CSS value only when it is a plain colour (name, #rgb, #rrggbb) or a
/// number with an optional unit; anything else yields an empty string.
std::string safeCssValue(std::string_view value);

/// Appends HTML to a string, escaping by context.
class HtmlWriter {
public:
    /// "<tag"; attributes may follow, then close the start tag with end() or selfClose().
    HtmlWriter& open(std::string_view tag);
    /// Adds name="value" (value escaped) to the open start tag.
    HtmlWriter& attr(std::string_view name, std::string_view value);
    HtmlWriter& attr(std::string_view name, long long value);
    /// Adds a bare boolean attribute when on.
    HtmlWriter& flag(std::string_view name, bool on = true);
    /// Adds class="…" when classes is not empty.
    HtmlWriter& cls(std::string_view classes);
    /// Closes the start tag ("… >").
    HtmlWriter& end();
    /// Closes a void element ("… >" without an end tag).
    HtmlWriter& selfClose() { return end(); }
    HtmlWriter& close(std::string_view tag);
    HtmlWriter& text(std::string_view text);
    HtmlWriter& markup(const Markup& m);
    /// Writes a whole element with escaped text content.
    HtmlWriter& element(std::string_view tag, std::string_view classes, std::string_view text);

    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }
    void reserve(size_t n) { out_.reserve(n); }

private:
    std::string out_;
};

} // namespace zorv::web
