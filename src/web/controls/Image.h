#pragma once

#include "web/Control.h"

#include <functional>

namespace zorv::web {

/// A picture: decorative, or clickable (then it is a button with an icon or
/// a picture and a text for screen readers).
class Image : public Control {
public:
    explicit Image(std::string id);
    /// A URL under /assets or /media served by this server.
    void setSource(std::string url) { source_ = std::move(url); }
    const std::string& source() const { return source_; }
    void setIcon(std::string icon) { icon_ = std::move(icon); }
    /// Text for screen readers and the tooltip.
    void setAltText(std::string alt) { alt_ = std::move(alt); }

    /// Set to make the image clickable.
    std::function<void()> onClick;

    void render(HtmlWriter& w) const override;
    bool dispatch(const Event& e) override;

private:
    std::string source_;
    std::string icon_;
    std::string alt_;
};

} // namespace zorv::web
