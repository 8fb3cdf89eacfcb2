#include "web/controls/CheckBox.h"

namespace zorv::web {

namespace {
constexpr const char* kTickedValue = "1";
} // namespace

CheckBox::CheckBox(std::string id, std::string caption) : Control(std::move(id)), caption_(std::move(caption)) {}

void CheckBox::render(HtmlWriter& w) const
{
    w.open("div").cls("form-check zw-check").end();
    w.open("input").attr("type", "hidden").attr("name", markerName()).attr("value", "1").end();
    w.open("input").attr("type", "checkbox").attr("name", id()).attr("value", kTickedValue);
    writeCommonAttributes(w, "form-check-input");
    if (onChange)
        w.attr("data-zw-post", Event::encode(id(), "change"));
    w.flag("checked", checked_).flag("disabled", !enabled()).end();
    w.open("label").cls("form-check-label").attr("for", id()).end().text(caption_).close("label");
    w.close("div");
}

void CheckBox::applyPosted(const PostedForm& form)
{
    if (!form.has(markerName()))
        return;
    auto value = form.get(id());
    if (!value) {
        checked_ = false;
        return;
    }
    if (*value == kTickedValue)
        checked_ = true;
}

bool CheckBox::dispatch(const Event& e)
{
    if (e.name != "change" || e.row >= 0 || !onChange)
        return false;
    onChange();
    return true;
}

} // namespace zorv::web
