#include "web/Request.h"

#include "web/controls/PostedText.h"

#include <algorithm>
#include <cctype>

namespace zorv::web {

namespace {
std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}
} // namespace

std::optional<std::string> PostedForm::get(const std::string& name) const
{
    auto it = fields_.find(name);
    if (it == fields_.end() || it->second.empty())
        return std::nullopt;
    return it->second.front();
}

const std::vector<std::string>& PostedForm::all(const std::string& name) const
{
    static const std::vector<std::string> none;
    auto it = fields_.find(name);
    return it == fields_.end() ? none : it->second;
}

const UploadedFile* PostedForm::file(const std::string& field) const
{
    for (const auto& f : files_)
        if (f.field == field)
            return &f;
    return nullptr;
}

bool PostedForm::isValidUtf8() const
{
    for (const auto& [name, values] : fields_) {
        if (!web::isValidUtf8(name))
            return false;
        for (const auto& v : values)
            if (!web::isValidUtf8(v))
                return false;
    }
    for (const auto& f : files_)
        if (!web::isValidUtf8(f.fileName))
            return false;
    return true;
}

void CookieJar::set(const std::string& name, std::string value) { cookies_[upper(name)] = std::move(value); }

std::string CookieJar::get(const std::string& name) const
{
    auto it = cookies_.find(upper(name));
    return it == cookies_.end() ? std::string() : it->second;
}

bool CookieJar::has(const std::string& name) const { return cookies_.count(upper(name)) != 0; }

} // namespace zorv::web
