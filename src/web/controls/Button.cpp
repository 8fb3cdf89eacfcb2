#include "web/controls/Button.h"

#include "web/controls/Icon.h"

namespace zorv::web {

Button::Button(std::string id, std::string caption) : Control(std::move(id)), caption_(std::move(caption)) {}

void Button::render(HtmlWriter& w) const
{
    w.open("button").attr("type", "submit").attr("name", "__event").attr("value", Event::encode(id(), "click"));
    writeCommonAttributes(w, "btn btn-" + variant_ + " zw-button");
    if (!confirmation_.empty())
        w.attr("data-zw-confirm", confirmation_);
    w.flag("disabled", !enabled()).end();
    writeIcon(w, icon_);
    w.text(caption_).close("button");
}

bool Button::dispatch(const Event& e)
{
    if (e.name != "click" || e.row >= 0 || !onClick)
        return false;
    onClick();
    return true;
}

} // namespace zorv::web
