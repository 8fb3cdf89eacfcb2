#include "web/controls/ListBox.h"

#include "web/controls/PostedValue.h"

namespace zorv::web {

namespace {
const std::string kEmpty;
} // namespace

ListBox::ListBox(std::string id) : Control(std::move(id)) {}

void ListBox::addItem(std::string text) { items_.push_back({std::move(text)}); }

void ListBox::setItems(const std::vector<std::string>& texts)
{
    items_.clear();
    for (const auto& t : texts)
        addItem(t);
}

int ListBox::indexOf(std::string_view text) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text == text)
            return static_cast<int>(i);
    return -1;
}

int ListBox::itemIndex() const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].selected)
            return static_cast<int>(i);
    return -1;
}

void ListBox::setItemIndex(int index)
{
    clearSelection();
    if (index >= 0 && index < itemCount())
        items_[static_cast<size_t>(index)].selected = true;
}

const std::string& ListBox::text() const
{
    int index = itemIndex();
    return index < 0 ? kEmpty : itemText(index);
}

void ListBox::setSelected(int index, bool selected)
{
    if (selected && !multiSelect_)
        clearSelection();
    items_.at(static_cast<size_t>(index)).selected = selected;
}

std::vector<int> ListBox::selectedIndexes() const
{
    std::vector<int> result;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].selected)
            result.push_back(static_cast<int>(i));
    return result;
}

void ListBox::clearSelection()
{
    for (auto& item : items_)
        item.selected = false;
}

void ListBox::render(HtmlWriter& w) const
{
    w.open("input").attr("type", "hidden").attr("name", markerName()).attr("value", "1").end();
    w.open("select").attr("name", id());
    writeCommonAttributes(w, "form-select zw-list");
    w.attr("size", rows_);
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    if (onChange)
        w.attr("data-zw-post", Event::encode(id(), "change"));
    w.flag("multiple", multiSelect_).flag("disabled", !enabled()).end();
    for (int i = 0; i < itemCount(); ++i) {
        w.open("option").attr("value", i).flag("selected", isSelected(i)).end();
        w.text(itemText(i)).close("option");
    }
    w.close("select");
}

void ListBox::applyPosted(const PostedForm& form)
{
    // A list with nothing chosen posts nothing: only the marker tells that
    // the absence means "none chosen".
    if (!form.has(markerName()))
        return;
    clearSelection();
    for (const auto& posted : form.all(id())) {
        auto index = postedIndex(posted, itemCount());
        if (!index)
            continue;
        items_[static_cast<size_t>(*index)].selected = true;
        if (!multiSelect_)
            return;
    }
}

bool ListBox::dispatch(const Event& e)
{
    if (e.name != "change" || e.row >= 0 || !onChange)
        return false;
    onChange();
    return true;
}

} // namespace zorv::web
