#pragma once

#include "web/Control.h"

#include <functional>

namespace zorv::web {

/// A push button. Its click runs onClick on the server.
class Button : public Control {
public:
    explicit Button(std::string id, std::string caption = {});
    void setCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& caption() const { return caption_; }
    /// A question the browser asks before the click is sent (empty: none).
    void setConfirmation(std::string question) { confirmation_ = std::move(question); }
    /// Icon name of the icon set (such as "box-arrow-in-right"); empty: none.
    void setIcon(std::string icon) { icon_ = std::move(icon); }
    /// Visual weight: "primary" (default), "secondary", "danger", …
    void setVariant(std::string variant) { variant_ = std::move(variant); }

    std::function<void()> onClick;

    void render(HtmlWriter& w) const override;
    bool dispatch(const Event& e) override;

private:
    std::string caption_;
    std::string confirmation_;
    std::string icon_;
    std::string variant_ = "primary";
};

} // namespace zorv::web
