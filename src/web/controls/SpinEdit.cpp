#include "web/controls/SpinEdit.h"

#include "web/controls/PostedValue.h"

#include <algorithm>

namespace zorv::web {

SpinEdit::SpinEdit(std::string id) : Control(std::move(id)) {}

void SpinEdit::setValue(int value) { value_ = std::clamp(value, min_, max_); }

void SpinEdit::setRange(int minValue, int maxValue)
{
    min_ = std::min(minValue, maxValue);
    max_ = std::max(minValue, maxValue);
    setValue(value_);
}

void SpinEdit::render(HtmlWriter& w) const
{
    w.open("input").attr("type", "number").attr("name", id());
    writeCommonAttributes(w, "form-control zw-spin");
    w.attr("value", value_).attr("inputmode", "numeric").attr("step", step_);
    if (min_ != std::numeric_limits<int>::min())
        w.attr("min", min_);
    if (max_ != std::numeric_limits<int>::max())
        w.attr("max", max_);
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    w.flag("readonly", readOnly_).flag("disabled", !enabled()).end();
}

void SpinEdit::applyPosted(const PostedForm& form)
{
    auto posted = form.get(id());
    if (!posted)
        return;
    auto number = postedInteger(*posted);
    if (!number)
        return;
    const bool inRange = *number >= min_ && *number <= max_;
    if (!inRange && policy_ == OutOfRange::Reject)
        return;
    value_ = static_cast<int>(std::clamp<long long>(*number, min_, max_));
}

} // namespace zorv::web
