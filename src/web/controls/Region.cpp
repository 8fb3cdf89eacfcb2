#include "web/controls/Region.h"

namespace zorv::web {

Region::Region(std::string id) : Container(std::move(id)) {}

void Region::showExclusive()
{
    setVisible(true);
    if (group_.empty() || !parent())
        return;
    for (const auto& sibling : parent()->children())
        if (auto* other = dynamic_cast<Region*>(sibling.get()); other && other != this && other->group_ == group_)
            other->setVisible(false);
}

void Region::render(HtmlWriter& w) const
{
    w.open("section");
    writeCommonAttributes(w, heading_.empty() ? "zw-region" : "zw-region card");
    w.end();
    if (!heading_.empty())
        w.element("h2", "card-header h6", heading_).open("div").cls("card-body").end();
    renderChildren(w);
    if (!heading_.empty())
        w.close("div");
    w.close("section");
}

void Rule::render(HtmlWriter& w) const
{
    w.open("hr");
    writeCommonAttributes(w, "zw-rule");
    w.end();
}

} // namespace zorv::web
