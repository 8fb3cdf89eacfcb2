#pragma once

#include "web/Control.h"

namespace zorv::web {

/// A one-line text edit; also a password edit or a read-only field.
/// A password edit never sends its value back to the browser.
class Edit : public Control {
public:
    enum class Kind { Text, Password };
    explicit Edit(std::string id, Kind kind = Kind::Text);

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    /// Maximum number of characters kept from a post (0: the framework limit).
    void setMaxLength(int n) { maxLength_ = n; }
    void setPlaceholder(std::string p) { placeholder_ = std::move(p); }
    /// The label element that names this edit for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return !readOnly_; }
    void applyPosted(const PostedForm& form) override;

private:
    Kind kind_;
    std::string text_;
    std::string placeholder_;
    std::string labelledBy_;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

/// Longest text a one-line edit keeps from a post.
inline constexpr size_t kMaxEditLength = 4000;

} // namespace zorv::web
