#pragma once

#include "web/Control.h"

#include <functional>
#include <vector>

namespace zorv::web {

/// A list of items shown open, with one or (multi-select) several chosen.
/// The browser posts the indexes of the chosen items; indexes the list does
/// not hold are ignored.
class ListBox : public Control {
public:
    explicit ListBox(std::string id);

    void addItem(std::string text);
    /// Replaces the items; nothing is chosen afterwards.
    void setItems(const std::vector<std::string>& texts);
    void clearItems() { items_.clear(); }
    int itemCount() const { return static_cast<int>(items_.size()); }
    const std::string& itemText(int index) const { return items_.at(static_cast<size_t>(index)).text; }
    /// Index of the first item with this text, or -1.
    int indexOf(std::string_view text) const;

    /// Lets the user choose several items (default: one).
    void setMultiSelect(bool on) { multiSelect_ = on; }
    bool multiSelect() const { return multiSelect_; }
    /// First chosen item, or -1.
    int itemIndex() const;
    /// Chooses exactly this item (-1 or an index outside the list: none).
    void setItemIndex(int index);
    /// Text of itemIndex(), or an empty string.
    const std::string& text() const;
    bool isSelected(int index) const { return items_.at(static_cast<size_t>(index)).selected; }
    /// Chooses or clears one item; in single-select mode choosing clears the others.
    void setSelected(int index, bool selected);
    /// Chosen items in list order.
    std::vector<int> selectedIndexes() const;
    void clearSelection();

    /// Visible lines (default 6).
    void setRows(int rows) { rows_ = rows; }
    /// The label element that names this list for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    /// When set, a change of the choice posts the page at once and runs this.
    std::function<void()> onChange;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    struct Item {
        std::string text;
        bool selected = false;
    };
    /// Name of the hidden field that tells that the list was on the posted form.
    std::string markerName() const { return id() + "_shown"; }

    std::vector<Item> items_;
    std::string labelledBy_;
    bool multiSelect_ = false;
    int rows_ = 6;
};

} // namespace zorv::web
