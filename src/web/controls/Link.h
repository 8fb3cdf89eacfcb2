#pragma once

#include "web/Control.h"

namespace zorv::web {

/// A hyperlink to an address outside the application (mailto:, https:).
/// Only http(s) and mailto targets are written; anything else renders as text.
class Link : public Control {
public:
    explicit Link(std::string id, std::string caption = {}, std::string target = {});
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    void setTarget(std::string target) { target_ = std::move(target); }
    const std::string& caption() const { return caption_; }
    const std::string& target() const { return target_; }
    void render(HtmlWriter& w) const override;

private:
    std::string caption_;
    std::string target_;
};

} // namespace zorv::web
