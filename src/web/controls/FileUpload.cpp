#include "web/controls/FileUpload.h"

#include "web/Page.h"
#include "web/controls/PostedText.h"

namespace zorv::web {

namespace {
/// Longest base name kept, in bytes (the common file-system limit).
constexpr size_t kMaxFileNameBytes = 255;

bool hasControlCharacter(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}
} // namespace

std::optional<std::string> uploadBaseName(std::string_view fileName)
{
    size_t slash = fileName.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const bool unusable = base.empty() || base == "." || base == ".." || base.size() > kMaxFileNameBytes;
    if (unusable || hasControlCharacter(base) || !isValidUtf8(base))
        return std::nullopt;
    return std::string(base);
}

FileUpload::FileUpload(std::string id) : Control(std::move(id)) {}

void FileUpload::attached() { page()->setHasUpload(); }

void FileUpload::render(HtmlWriter& w) const
{
    w.open("input").attr("type", "file").attr("name", id());
    writeCommonAttributes(w, "form-control zw-upload");
    if (!accept_.empty())
        w.attr("accept", accept_);
    if (maxSizeHint_ > 0)
        w.attr("data-zw-max-size", std::to_string(maxSizeHint_));
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    w.flag("disabled", !enabled()).end();
}

void FileUpload::applyPosted(const PostedForm& form)
{
    file_.reset();
    const UploadedFile* posted = form.file(id());
    if (!posted)
        return;
    auto name = uploadBaseName(posted->fileName);
    if (!name)
        return;
    file_ = *posted;
    file_->fileName = std::move(*name);
}

} // namespace zorv::web
