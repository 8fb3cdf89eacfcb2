#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zorv::web {

/// A file received with a post, already streamed to a temporary file that the
/// session deletes after the request.
struct UploadedFile {
    std::string field;       ///< name of the upload control
    std::string fileName;    ///< base name only, as typed by the browser
    std::string contentType;
    std::string tempPath;
    std::uint64_t size = 0;
};

/// The decoded values of one form post. Fields may repeat (multi-select lists).
class PostedForm {
public:
    void add(std::string name, std::string value) { fields_[std::move(name)].push_back(std::move(value)); }
    bool has(const std::string& name) const { return fields_.count(name) != 0; }
    /// First value of name, or nothing when the field was not posted.
    std::optional<std::string> get(const std::string& name) const;
    const std::vector<std::string>& all(const std::string& name) const;
    void addFile(UploadedFile f) { files_.push_back(std::move(f)); }
    const UploadedFile* file(const std::string& field) const;
    const std::vector<UploadedFile>& files() const { return files_; }
    /// True when every field name and value is well-formed UTF-8.
    bool isValidUtf8() const;

private:
    std::map<std::string, std::vector<std::string>> fields_;
    std::vector<UploadedFile> files_;
};

/// Cookies of a request; names are compared without regard to case.
class CookieJar {
public:
    void set(const std::string& name, std::string value);
    /// Value of the cookie, or an empty string.
    std::string get(const std::string& name) const;
    bool has(const std::string& name) const;

private:
    std::map<std::string, std::string> cookies_; // keys upper-cased
};

/// A cookie the response sets. Always HttpOnly.
struct SetCookie {
    std::string name;
    std::string value;
    int maxAgeSeconds = -1; ///< -1: session cookie; 0: delete
    std::string path = "/";
    bool sameSiteLax = true;
};

/// One request as the page framework sees it; the HTTP binding fills it.
struct WebRequest {
    bool isPost = false;
    PostedForm form;
    CookieJar cookies;
    std::string clientAddress;
};

/// What the page framework answers; the HTTP binding sends it.
struct WebResponse {
    int status = 200;
    std::string contentType = "text/html; charset=utf-8";
    std::string body;
    std::string location;             ///< redirect target when status is 302/303
    std::vector<SetCookie> cookies;
};

} // namespace zorv::web
