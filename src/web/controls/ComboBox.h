#pragma once

#include "web/Control.h"

#include <functional>
#include <vector>

namespace zorv::web {

/// A drop-down list of items. The browser posts the index of the chosen item,
/// never its text; an index the list does not hold is ignored.
class ComboBox : public Control {
public:
    /// Caption of the optional first entry that stands for "nothing chosen".
    static constexpr const char* kNoSelectionText = "-- No Selection --";

    explicit ComboBox(std::string id);

    /// Adds an item; value is an optional key kept beside the shown text.
    void addItem(std::string text, std::string value = {});
    /// Replaces the items with these texts; nothing is chosen afterwards.
    void setItems(const std::vector<std::string>& texts);
    void clearItems();
    int itemCount() const { return static_cast<int>(items_.size()); }
    const std::string& itemText(int index) const { return items_.at(static_cast<size_t>(index)).text; }
    /// The item's value, or its text when it has none.
    const std::string& itemValue(int index) const;
    /// Index of the first item with this text, or -1.
    int indexOf(std::string_view text) const;

    /// Index of the chosen item; -1: none.
    int itemIndex() const { return itemIndex_; }
    /// Chooses an item; an index outside the list chooses none.
    void setItemIndex(int index);
    /// Text of the chosen item, or an empty string.
    const std::string& text() const;
    /// Value of the chosen item (its text when it has none), or an empty string.
    const std::string& value() const;
    /// Chooses the first item with this text; false (and nothing chosen) when there is none.
    bool selectText(std::string_view text);

    /// Shows kNoSelectionText as the first entry; choosing it sets itemIndex() to -1.
    void setNoSelectionItem(bool on) { noSelectionItem_ = on; }
    /// Marks the list as one that needs a choice (shown to the user; pages check hasSelection()).
    void setRequired(bool required) { required_ = required; }
    bool required() const { return required_; }
    bool hasSelection() const { return itemIndex_ >= 0; }
    /// The label element that names this list for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    /// When set, choosing an item posts the page at once and runs this.
    std::function<void()> onChange;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    struct Item {
        std::string text;
        std::string value;
    };
    /// The list offers "none" (value -1): the no-selection entry, or an empty
    /// entry while nothing is chosen.
    bool offersNone() const { return noSelectionItem_ || itemIndex_ < 0; }

    std::vector<Item> items_;
    std::string labelledBy_;
    int itemIndex_ = -1;
    bool noSelectionItem_ = false;
    bool required_ = false;
};

} // namespace zorv::web
