#include "web/controls/RadioGroup.h"

#include "web/controls/PostedValue.h"

namespace zorv::web {

namespace {
const std::string kEmpty;
} // namespace

RadioGroup::RadioGroup(std::string id) : Control(std::move(id)) {}

void RadioGroup::setItems(std::vector<std::string> texts)
{
    items_ = std::move(texts);
    itemIndex_ = -1;
}

const std::string& RadioGroup::text() const { return itemIndex_ < 0 ? kEmpty : itemText(itemIndex_); }

void RadioGroup::render(HtmlWriter& w) const
{
    w.open("fieldset");
    writeCommonAttributes(w, "zw-radio-group");
    w.flag("disabled", !enabled()).end();
    if (!caption_.empty())
        w.element("legend", "form-label fs-6", caption_);
    const std::string postEvent = onChange ? Event::encode(id(), "change") : std::string();
    for (int i = 0; i < itemCount(); ++i) {
        const std::string itemId = id() + "_i" + std::to_string(i);
        w.open("div").cls(horizontal_ ? "form-check form-check-inline" : "form-check").end();
        w.open("input").attr("type", "radio").attr("name", id()).attr("id", itemId).attr("value", i);
        w.cls("form-check-input");
        if (!postEvent.empty())
            w.attr("data-zw-post", postEvent);
        w.flag("checked", i == itemIndex_).end();
        w.open("label").cls("form-check-label").attr("for", itemId).end().text(itemText(i)).close("label");
        w.close("div");
    }
    w.close("fieldset");
}

void RadioGroup::applyPosted(const PostedForm& form)
{
    auto posted = form.get(id());
    if (!posted)
        return;
    if (auto index = postedIndex(*posted, itemCount()))
        itemIndex_ = *index;
}

bool RadioGroup::dispatch(const Event& e)
{
    if (e.name != "change" || e.row >= 0 || !onChange)
        return false;
    onChange();
    return true;
}

} // namespace zorv::web
