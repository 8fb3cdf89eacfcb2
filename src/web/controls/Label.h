#pragma once

#include "web/Control.h"

namespace zorv::web {

/// Text on a page. Plain text is escaped; markup is only what code built.
class Label : public Control {
public:
    explicit Label(std::string id, std::string caption = {});
    void setCaption(std::string caption);
    const std::string& caption() const { return caption_; }
    /// Shows code-built markup instead of the caption.
    void setMarkup(Markup markup);
    /// Long texts wrap unless this is off.
    void setWordWrap(bool wrap) { wordWrap_ = wrap; }
    void render(HtmlWriter& w) const override;

private:
    std::string caption_;
    Markup markup_;
    bool isMarkup_ = false;
    bool wordWrap_ = true;
};

} // namespace zorv::web
