#include "web/controls/ComboBox.h"

#include "web/controls/PostedValue.h"

namespace zorv::web {

namespace {
const std::string kEmpty;
constexpr const char* kNoneValue = "-1";
} // namespace

ComboBox::ComboBox(std::string id) : Control(std::move(id)) {}

void ComboBox::addItem(std::string text, std::string value) { items_.push_back({std::move(text), std::move(value)}); }

void ComboBox::setItems(const std::vector<std::string>& texts)
{
    clearItems();
    for (const auto& t : texts)
        addItem(t);
}

void ComboBox::clearItems()
{
    items_.clear();
    itemIndex_ = -1;
}

const std::string& ComboBox::itemValue(int index) const
{
    const Item& item = items_.at(static_cast<size_t>(index));
    return item.value.empty() ? item.text : item.value;
}

int ComboBox::indexOf(std::string_view text) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text == text)
            return static_cast<int>(i);
    return -1;
}

void ComboBox::setItemIndex(int index) { itemIndex_ = index >= 0 && index < itemCount() ? index : -1; }

const std::string& ComboBox::text() const { return hasSelection() ? itemText(itemIndex_) : kEmpty; }

const std::string& ComboBox::value() const { return hasSelection() ? itemValue(itemIndex_) : kEmpty; }

bool ComboBox::selectText(std::string_view text)
{
    itemIndex_ = indexOf(text);
    return hasSelection();
}

void ComboBox::render(HtmlWriter& w) const
{
    w.open("select").attr("name", id());
    writeCommonAttributes(w, "form-select zw-combo");
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    if (onChange)
        w.attr("data-zw-post", Event::encode(id(), "change"));
    w.flag("required", required_).flag("disabled", !enabled()).end();
    if (offersNone()) {
        w.open("option").attr("value", kNoneValue).flag("selected", itemIndex_ < 0).end();
        w.text(noSelectionItem_ ? kNoSelectionText : "").close("option");
    }
    for (int i = 0; i < itemCount(); ++i) {
        w.open("option").attr("value", i).flag("selected", i == itemIndex_).end();
        w.text(itemText(i)).close("option");
    }
    w.close("select");
}

void ComboBox::applyPosted(const PostedForm& form)
{
    auto posted = form.get(id());
    if (!posted)
        return;
    if (*posted == kNoneValue && offersNone()) {
        itemIndex_ = -1;
        return;
    }
    if (auto index = postedIndex(*posted, itemCount()))
        itemIndex_ = *index;
}

bool ComboBox::dispatch(const Event& e)
{
    if (e.name != "change" || e.row >= 0 || !onChange)
        return false;
    onChange();
    return true;
}

} // namespace zorv::web
