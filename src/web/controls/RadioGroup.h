#pragma once

#include "web/Control.h"

#include <functional>
#include <vector>

namespace zorv::web {

/// A set of radio buttons of which one is chosen. The browser posts the index
/// of the chosen button; an index the group does not hold is ignored.
/// The buttons have the ids "<id>_i<index>".
class RadioGroup : public Control {
public:
    explicit RadioGroup(std::string id);

    void addItem(std::string text) { items_.push_back(std::move(text)); }
    /// Replaces the items; nothing is chosen afterwards.
    void setItems(std::vector<std::string> texts);
    int itemCount() const { return static_cast<int>(items_.size()); }
    const std::string& itemText(int index) const { return items_.at(static_cast<size_t>(index)); }

    /// Index of the chosen button; -1: none.
    int itemIndex() const { return itemIndex_; }
    /// Chooses a button; an index outside the group chooses none.
    void setItemIndex(int index) { itemIndex_ = index >= 0 && index < itemCount() ? index : -1; }
    /// Text of the chosen button, or an empty string.
    const std::string& text() const;

    /// Heading shown above the buttons (empty: none).
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    /// Lays the buttons out side by side instead of one under the other.
    void setHorizontal(bool on) { horizontal_ = on; }

    /// When set, choosing a button posts the page at once and runs this.
    std::function<void()> onChange;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    std::vector<std::string> items_;
    std::string caption_;
    int itemIndex_ = -1;
    bool horizontal_ = false;
};

} // namespace zorv::web
