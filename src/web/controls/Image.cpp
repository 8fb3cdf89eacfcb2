#include "web/controls/Image.h"

#include "web/controls/Icon.h"

namespace zorv::web {

namespace {
bool isLocalUrl(const std::string& url) { return url.rfind("/", 0) == 0 && url.rfind("//", 0) != 0; }
} // namespace

Image::Image(std::string id) : Control(std::move(id)) {}

void Image::render(HtmlWriter& w) const
{
    const bool clickable = static_cast<bool>(onClick);
    if (clickable) {
        w.open("button").attr("type", "submit").attr("name", "__event").attr("value", Event::encode(id(), "click"));
        writeCommonAttributes(w, "btn btn-link zw-image-button");
        w.attr("aria-label", alt_).flag("disabled", !enabled()).end();
    } else {
        w.open("span");
        writeCommonAttributes(w, "zw-image");
        w.end();
    }
    if (!source_.empty() && isLocalUrl(source_))
        w.open("img").attr("src", source_).attr("alt", clickable ? "" : alt_).cls("img-fluid").end();
    else
        writeIcon(w, icon_);
    w.close(clickable ? "button" : "span");
}

bool Image::dispatch(const Event& e)
{
    if (e.name != "click" || e.row >= 0 || !onClick)
        return false;
    onClick();
    return true;
}

} // namespace zorv::web
