#include "web/controls/Label.h"

namespace zorv::web {

Label::Label(std::string id, std::string caption) : Control(std::move(id)), caption_(std::move(caption)) {}

void Label::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    isMarkup_ = false;
}

void Label::setMarkup(Markup markup)
{
    markup_ = std::move(markup);
    isMarkup_ = true;
}

void Label::render(HtmlWriter& w) const
{
    w.open("div");
    writeCommonAttributes(w, wordWrap_ ? "zw-label" : "zw-label text-nowrap");
    w.end();
    if (isMarkup_)
        w.markup(markup_);
    else
        w.text(caption_);
    w.close("div");
}

} // namespace zorv::web
