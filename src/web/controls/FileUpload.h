#pragma once

#include "web/Control.h"

#include <cstdint>
#include <optional>

namespace zorv::web {

/// A file chooser. Placing it on a page makes the page's form multipart.
/// The HTTP layer streams the file to a temporary file and enforces the size
/// limit; this control only takes the file of its own field from the post.
class FileUpload : public Control {
public:
    explicit FileUpload(std::string id);

    /// File types the browser offers (the accept attribute, such as ".xlsx,.xls").
    void setAccept(std::string accept) { accept_ = std::move(accept); }
    /// Largest size in bytes the page script lets the user pick (0: no hint).
    /// A hint only: the HTTP layer enforces the real limit.
    void setMaxSizeHint(std::uint64_t bytes) { maxSizeHint_ = bytes; }
    /// The label element that names this chooser for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    /// The file of the last post, its name reduced to a base name; nullptr
    /// when that post carried no usable file. Its temporary file exists only
    /// while the handlers of that post run: copy or move it there.
    const UploadedFile* uploadedFile() const { return file_ ? &*file_ : nullptr; }

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;

protected:
    void attached() override;

private:
    std::optional<UploadedFile> file_;
    std::string accept_;
    std::string labelledBy_;
    std::uint64_t maxSizeHint_ = 0;
};

/// The last component of a file name typed in a browser, whichever of "/" or
/// "\" separates its folders; nothing for an empty name, ".", "..", a name
/// with control characters or one that is not UTF-8.
std::optional<std::string> uploadBaseName(std::string_view fileName);

} // namespace zorv::web
