#include "web/controls/Edit.h"

#include "web/controls/PostedText.h"

namespace zorv::web {

Edit::Edit(std::string id, Kind kind) : Control(std::move(id)), kind_(kind) {}

void Edit::render(HtmlWriter& w) const
{
    const bool password = kind_ == Kind::Password;
    w.open("input").attr("type", password ? "password" : "text").attr("name", id());
    writeCommonAttributes(w, "form-control zw-edit");
    if (!password)
        w.attr("value", text_);
    if (maxLength_ > 0)
        w.attr("maxlength", maxLength_);
    if (!placeholder_.empty())
        w.attr("placeholder", placeholder_);
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    w.flag("readonly", readOnly_).flag("disabled", !enabled()).end();
}

void Edit::applyPosted(const PostedForm& form)
{
    auto value = form.get(id());
    if (!value)
        return;
    size_t limit = maxLength_ > 0 ? static_cast<size_t>(maxLength_) : kMaxEditLength;
    text_ = postedLine(*value, limit);
}

} // namespace zorv::web
