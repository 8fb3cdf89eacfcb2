#pragma once

#include "web/Control.h"

#include <functional>
#include <vector>

namespace zorv::web {

/// An entry of an outlook-bar panel.
struct OutlookItem {
    std::string caption;
    int tag = 0;         ///< the page's own number for the item (a screen tag)
    int imageIndex = -1; ///< icon through iconForImageIndex; -1: the default icon
};

/// A panel of an outlook bar: a caption and its items.
struct OutlookPanel {
    std::string caption;
    std::string icon; ///< icon name of the icon set; empty: none
    std::vector<OutlookItem> items;
};

/// Navigation of panels of items, shown as an accordion in which one panel
/// (the active one) is open. Clicking a panel's caption opens that panel;
/// clicking an item of the open panel runs onItemClick(panel, item).
class OutlookBar : public Control {
public:
    explicit OutlookBar(std::string id);

    /// Adds a panel and returns its index.
    int addPanel(std::string caption, std::string icon = {});
    /// Adds an item to a panel and returns its index within the panel.
    int addItem(int panel, std::string caption, int tag, int imageIndex = -1);
    /// Removes every panel.
    void clear();
    /// Removes one panel; an index outside the bar is ignored.
    void removePanel(int index);
    /// Removes every panel without items.
    void removeEmptyPanels();
    int panelCount() const { return static_cast<int>(panels_.size()); }
    const OutlookPanel& panel(int index) const { return panels_.at(static_cast<size_t>(index)); }
    const OutlookItem& item(int panel, int index) const;

    /// Index of the open panel; -1 when there are no panels.
    int activePanel() const { return panels_.empty() ? -1 : activePanel_; }
    /// Opens a panel; an index outside the bar is ignored.
    void setActivePanel(int index);

    /// Runs for a click on an item of the open panel.
    std::function<void(int panel, int item)> onItemClick;
    /// Runs for a posted item that the bar does not show (a forged post).
    std::function<void(int panel, int item)> onRefusedItem;

    void render(HtmlWriter& w) const override;
    bool dispatch(const Event& e) override;

private:
    void renderPanel(HtmlWriter& w, int index) const;
    bool isShownItem(int panel, int item) const;

    std::vector<OutlookPanel> panels_;
    int activePanel_ = 0;
};

} // namespace zorv::web
