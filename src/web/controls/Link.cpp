#include "web/controls/Link.h"

#include <algorithm>
#include <cctype>

namespace zorv::web {

namespace {
bool isSafeTarget(std::string target)
{
    std::transform(target.begin(), target.end(), target.begin(), [](unsigned char c) { return std::tolower(c); });
    return target.rfind("mailto:", 0) == 0 || target.rfind("https://", 0) == 0 || target.rfind("http://", 0) == 0;
}
} // namespace

Link::Link(std::string id, std::string caption, std::string target)
    : Control(std::move(id)), caption_(std::move(caption)), target_(std::move(target))
{
}

void Link::render(HtmlWriter& w) const
{
    if (!isSafeTarget(target_)) {
        w.open("span");
        writeCommonAttributes(w, "zw-link");
        w.end().text(caption_).close("span");
        return;
    }
    w.open("a");
    writeCommonAttributes(w, "zw-link");
    w.attr("href", target_).attr("rel", "noopener noreferrer").end().text(caption_).close("a");
}

} // namespace zorv::web
