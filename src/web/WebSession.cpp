#include "web/WebSession.h"

#include "web/WebApplication.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <sys/random.h>

namespace zorv::web {

namespace {
thread_local WebSession* tCurrent = nullptr;

constexpr const char* kSerialField = "__serial";
constexpr const char* kCsrfField = "__csrf";
constexpr const char* kEventField = "__event";

/// Compares two secrets in time independent of where they differ.
bool sameSecret(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (size_t i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}
} // namespace

std::string randomToken()
{
    unsigned char bytes[16];
    size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error("no random numbers from the operating system");
        }
        got += static_cast<size_t>(n);
    }
    static const char* hex = "0123456789abcdef";
    std::string s;
    for (unsigned char b : bytes) {
        s += hex[b >> 4];
        s += hex[b & 15];
    }
    return s;
}

CurrentSessionScope::CurrentSessionScope(WebSession* session, const WebRequest* request)
    : previous_(tCurrent), session_(session), setsRequest_(session && request)
{
    tCurrent = session;
    if (setsRequest_) {
        previousRequest_ = session->request_;
        session->request_ = request;
    }
}

CurrentSessionScope::~CurrentSessionScope()
{
    if (setsRequest_)
        session_->request_ = previousRequest_;
    tCurrent = previous_;
}

WebSession* WebSession::current() { return tCurrent; }

WebSession::WebSession(std::string id, WebApplication& app)
    : id_(std::move(id)), csrf_(randomToken()), app_(app)
{
    touch();
}

WebSession::~WebSession()
{
    // Pages may refer to the session data in their destructors: pages go first.
    current_ = nullptr;
    pages_.clear();
    data_.reset();
    for (auto& [token, d] : downloads_)
        if (d.deleteAfterSend)
            std::filesystem::remove(d.path);
}

void WebSession::renewIdAfterRequest()
{
    renewId_ = true;
    csrf_ = randomToken();
}

void WebSession::assignId(std::string id)
{
    id_ = std::move(id);
    renewId_ = false;
}

void WebSession::adoptPage(std::unique_ptr<Page> page) { pages_.push_back(std::move(page)); }

void WebSession::setCurrentPage(Page& page) { current_ = &page; }

void WebSession::returnToOwner(Page& page)
{
    page.release();
    if (Page* owner = page.owner(); owner && !owner->released())
        owner->show();
}

void WebSession::releaseAllPages()
{
    for (auto& p : pages_)
        p->release();
}

void WebSession::showMessage(std::string text) { messages_.push_back(std::move(text)); }

void WebSession::sendFile(std::string path, std::string fileName, bool deleteAfterSend)
{
    std::string token = randomToken();
    downloads_[token] = Download{std::move(path), std::move(fileName), deleteAfterSend};
    downloadsToStart_.push_back(token);
}

std::optional<Download> WebSession::takeDownload(const std::string& token)
{
    auto it = downloads_.find(token);
    if (it == downloads_.end())
        return std::nullopt;
    Download d = std::move(it->second);
    downloads_.erase(it);
    return d;
}

bool WebSession::postIsCurrent(const PostedForm& form) const
{
    auto serial = form.get(kSerialField);
    auto csrf = form.get(kCsrfField);
    return serial && csrf && sameSecret(*csrf, csrf_) && *serial == std::to_string(serial_) && form.isValidUtf8();
}

void WebSession::runPost(const PostedForm& form)
{
    Page* page = current_;
    if (!page)
        return;
    auto eventText = form.get(kEventField);
    auto event = eventText ? Event::parse(*eventText) : std::nullopt;
    // A post that names no valid event still carries the typed values: keep them.
    page->applyPosted(form);
    if (event)
        page->dispatch(*event);
}

void WebSession::ensurePageToShow()
{
    if (current_ && !current_->released())
        return;
    Page* next = nullptr;
    if (current_ && current_->owner() && !current_->owner()->released())
        next = current_->owner();
    for (auto it = pages_.rbegin(); !next && it != pages_.rend(); ++it)
        if (!(*it)->released())
            next = it->get();
    current_ = next;
    if (!current_)
        app_.openStartPage(*this);
}

void WebSession::destroyReleasedPages()
{
    auto released = [](const std::unique_ptr<Page>& p) { return p->released(); };
    for (auto& p : pages_)
        if (p->owner() && p->owner()->released())
            p->setOwner(nullptr);
    if (current_ && current_->released())
        current_ = nullptr;
    pages_.erase(std::remove_if(pages_.begin(), pages_.end(), released), pages_.end());
}

void WebSession::removeUploads(const WebRequest& request)
{
    std::error_code ec;
    for (const auto& f : request.form.files())
        std::filesystem::remove(f.tempPath, ec);
}

WebResponse WebSession::handle(const WebRequest& request)
{
    CurrentSessionScope scope(this);
    request_ = &request;
    touch();
    if (request.isPost && postIsCurrent(request.form)) {
        try {
            runPost(request.form);
        } catch (const std::exception& e) {
            try {
                app_.sessionException(*this, e);
            } catch (...) {
            }
        }
    }
    WebResponse response;
    try {
        ensurePageToShow();
        destroyReleasedPages();
        ensurePageToShow();
        response.body = renderDocument();
    } catch (const std::exception& e) {
        // Rendering failed: the exception handler puts a fresh page up.
        try {
            app_.sessionException(*this, e);
            ensurePageToShow();
            destroyReleasedPages();
            response.body = renderDocument();
        } catch (...) {
            response.status = 500;
            response.contentType = "text/plain; charset=utf-8";
            response.body = "The page could not be shown.";
        }
    }
    response.cookies = std::move(outCookies_);
    outCookies_.clear();
    removeUploads(request);
    try {
        app_.requestFinished(*this);
    } catch (...) {
    }
    request_ = nullptr;
    return response;
}

std::string WebSession::renderDocument()
{
    if (!current_)
        throw std::logic_error("no page to render");
    Page& page = *current_;
    page.beforeRender();
    ++serial_;

    HtmlWriter w;
    // Pages of a session are alike in size: the last one's size avoids regrowth.
    w.reserve(std::max<size_t>(16 * 1024, lastRenderSize_ + lastRenderSize_ / 8));
    w.markup(Markup::trusted(
        "<!doctype html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<link rel=\"icon\" href=\"/favicon.ico\">"
        "<link rel=\"stylesheet\" href=\"/assets/vendor/bootstrap/bootstrap.min.css\">"
        "<link rel=\"stylesheet\" href=\"/assets/vendor/bootstrap-icons/bootstrap-icons.min.css\">"
        "<link rel=\"stylesheet\" href=\"/assets/css/zorvweb.css\">"
        "<script src=\"/assets/js/zorvweb.js\" defer></script>"));
    w.element("title", "", page.title().empty() ? std::string("ZorvWeb") : page.title());
    w.markup(Markup::trusted("</head>"));
    w.open("body").cls("zw-body");
    if (auto bg = safeCssValue(page.backgroundColor()); !bg.empty())
        w.attr("style", "background-color:" + bg);
    w.end();

    w.open("form").attr("id", "zwForm").attr("method", "post").attr("action", "/").attr("autocomplete", "off");
    w.attr("accept-charset", "utf-8");
    if (page.hasUpload())
        w.attr("enctype", "multipart/form-data");
    if (!page.defaultButton().empty())
        w.attr("data-default-button", page.defaultButton());
    w.flag("novalidate").end();
    w.open("input").attr("type", "hidden").attr("name", kSerialField).attr("value", std::to_string(serial_)).end();
    w.open("input").attr("type", "hidden").attr("name", kCsrfField).attr("value", csrf_).end();
    w.open("main").cls("zw-main container-fluid").end();
    page.render(w);
    w.close("main").close("form");

    if (!messages_.empty()) {
        w.open("dialog").attr("id", "zwMessages").cls("zw-messages").attr("aria-live", "assertive").end();
        w.open("div").cls("zw-messages-body").end();
        for (const auto& m : messages_)
            w.open("p").cls("zw-message").end().markup(Markup::fromTextWithBreaks(m)).close("p");
        w.close("div");
        w.open("button").attr("type", "button").attr("id", "zwMessagesOk").cls("btn btn-primary").attr("data-zw-close", "1").end();
        w.text("OK").close("button");
        w.close("dialog");
        messages_.clear();
    }
    for (const auto& token : downloadsToStart_)
        w.open("a").attr("href", "/download?t=" + token).cls("zw-download").attr("data-zw-download", "1").flag("hidden").end().close("a");
    downloadsToStart_.clear();
    w.markup(Markup::trusted("</body></html>"));
    lastRenderSize_ = w.str().size();
    page.afterRender();
    return w.take();
}

} // namespace zorv::web
