#include "web/controls/Memo.h"

#include "web/controls/PostedText.h"

namespace zorv::web {

Memo::Memo(std::string id) : Control(std::move(id)) {}

std::vector<std::string> Memo::lines() const
{
    std::vector<std::string> result;
    if (text_.empty())
        return result;
    size_t start = 0;
    while (true) {
        size_t br = text_.find_first_of("\r\n", start);
        result.push_back(text_.substr(start, br == std::string::npos ? std::string::npos : br - start));
        if (br == std::string::npos)
            return result;
        start = br + 1;
        if (text_[br] == '\r' && start < text_.size() && text_[start] == '\n')
            ++start;
    }
}

void Memo::setLines(const std::vector<std::string>& lines)
{
    text_.clear();
    for (size_t i = 0; i < lines.size(); ++i)
        text_ += (i ? "\r\n" : "") + lines[i];
}

void Memo::render(HtmlWriter& w) const
{
    w.open("textarea").attr("name", id());
    writeCommonAttributes(w, "form-control zw-memo");
    w.attr("rows", rows_);
    if (maxLength_ > 0)
        w.attr("maxlength", maxLength_);
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    w.flag("readonly", readOnly_).flag("disabled", !enabled()).end();
    // The browser drops one line break right after the start tag: give it one
    // so that a text starting with an empty line keeps it.
    w.markup(Markup::trusted("\n"));
    w.text(text_).close("textarea");
}

void Memo::applyPosted(const PostedForm& form)
{
    auto value = form.get(id());
    if (!value)
        return;
    size_t limit = maxLength_ > 0 ? static_cast<size_t>(maxLength_) : kMaxMemoLength;
    text_ = postedText(*value, limit);
}

} // namespace zorv::web
