#pragma once

#include "web/Control.h"

#include <vector>

namespace zorv::web {

/// A multi-line text box. Lines are separated by "\r\n" in text().
class Memo : public Control {
public:
    explicit Memo(std::string id);

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    /// The text split at line breaks ("\r\n", "\n" or "\r").
    std::vector<std::string> lines() const;
    /// Replaces the text with these lines joined by "\r\n".
    void setLines(const std::vector<std::string>& lines);

    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }
    /// Maximum number of characters kept from a post (0: the framework limit).
    void setMaxLength(int n) { maxLength_ = n; }
    /// Visible lines (default 4).
    void setRows(int rows) { rows_ = rows; }
    /// The label element that names this memo for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return !readOnly_; }
    void applyPosted(const PostedForm& form) override;

private:
    std::string text_;
    std::string labelledBy_;
    bool readOnly_ = false;
    int maxLength_ = 0;
    int rows_ = 4;
};

/// Longest text a memo keeps from a post.
inline constexpr size_t kMaxMemoLength = 32000;

} // namespace zorv::web
