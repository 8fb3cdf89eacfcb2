#pragma once

#include "web/Control.h"

#include <functional>

namespace zorv::web {

/// A check box with its caption. A browser posts nothing for an unticked box,
/// so the box also renders a hidden marker: without the marker a post leaves
/// the box as it is, with it a missing value means "unticked".
class CheckBox : public Control {
public:
    explicit CheckBox(std::string id, std::string caption = {});

    void setCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked) { checked_ = checked; }

    /// When set, ticking or unticking posts the page at once and runs this.
    std::function<void()> onChange;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    std::string markerName() const { return id() + "_shown"; }

    std::string caption_;
    bool checked_ = false;
};

} // namespace zorv::web
