#include "web/controls/OutlookBar.h"

#include <algorithm>

#include "web/controls/Icon.h"

namespace zorv::web {

OutlookBar::OutlookBar(std::string id) : Control(std::move(id)) {}

int OutlookBar::addPanel(std::string caption, std::string icon)
{
    panels_.push_back({std::move(caption), std::move(icon), {}});
    return panelCount() - 1;
}

int OutlookBar::addItem(int panel, std::string caption, int tag, int imageIndex)
{
    auto& items = panels_.at(static_cast<size_t>(panel)).items;
    items.push_back({std::move(caption), tag, imageIndex});
    return static_cast<int>(items.size()) - 1;
}

void OutlookBar::clear()
{
    panels_.clear();
    activePanel_ = 0;
}

const OutlookItem& OutlookBar::item(int panel, int index) const
{
    return this->panel(panel).items.at(static_cast<size_t>(index));
}

void OutlookBar::setActivePanel(int index)
{
    if (index >= 0 && index < panelCount())
        activePanel_ = index;
}

void OutlookBar::removePanel(int index)
{
    if (index < 0 || index >= panelCount())
        return;
    panels_.erase(panels_.begin() + index);
    if (activePanel_ >= panelCount())
        activePanel_ = std::max(0, panelCount() - 1);
}

void OutlookBar::removeEmptyPanels()
{
    for (int index = panelCount() - 1; index >= 0; --index)
        if (panels_[static_cast<size_t>(index)].items.empty())
            removePanel(index);
}

bool OutlookBar::isShownItem(int panel, int item) const
{
    if (panel != activePanel() || panel < 0)
        return false;
    return item >= 0 && item < static_cast<int>(this->panel(panel).items.size());
}

void OutlookBar::render(HtmlWriter& w) const
{
    w.open("nav");
    writeCommonAttributes(w, "accordion zw-outlook");
    w.attr("aria-label", "Navigation").end();
    for (int p = 0; p < panelCount(); ++p)
        renderPanel(w, p);
    w.close("nav");
}

void OutlookBar::renderPanel(HtmlWriter& w, int index) const
{
    const OutlookPanel& p = panel(index);
    const bool open = index == activePanel();
    w.open("div").cls("accordion-item").end();
    w.open("h2").cls("accordion-header").end();
    w.open("button").attr("type", "submit").attr("name", "__event").attr("value", Event::encode(id(), "panel", index));
    w.cls(open ? "accordion-button zw-outlook-panel" : "accordion-button collapsed zw-outlook-panel");
    w.attr("aria-expanded", open ? "true" : "false").flag("disabled", !enabled()).end();
    writeIcon(w, p.icon);
    w.text(p.caption).close("button").close("h2");
    if (open) {
        w.open("div").cls("accordion-collapse collapse show").end();
        w.open("div").cls("list-group list-group-flush zw-outlook-items").end();
        for (int i = 0; i < static_cast<int>(p.items.size()); ++i) {
            w.open("button").attr("type", "submit").attr("name", "__event");
            w.attr("value", Event::encode(id(), "item", index, i));
            w.cls("list-group-item list-group-item-action zw-outlook-item");
            w.flag("disabled", !enabled()).end();
            writeIcon(w, iconForImageIndex(p.items[static_cast<size_t>(i)].imageIndex));
            w.text(p.items[static_cast<size_t>(i)].caption).close("button");
        }
        w.close("div").close("div");
    }
    w.close("div");
}

bool OutlookBar::dispatch(const Event& e)
{
    if (e.name == "panel" && e.col < 0 && e.row >= 0 && e.row < panelCount()) {
        setActivePanel(e.row);
        return true;
    }
    if (e.name != "item" || !onItemClick)
        return false;
    if (!isShownItem(e.row, e.col)) {
        if (onRefusedItem)
            onRefusedItem(e.row, e.col);
        return onRefusedItem != nullptr;
    }
    onItemClick(e.row, e.col);
    return true;
}

} // namespace zorv::web
