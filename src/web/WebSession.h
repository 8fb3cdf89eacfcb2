#pragma once

#include "web/Page.h"
#include "web/Request.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zorv::web {

class WebApplication;

/// Application data attached to a session (the server's user session object).
class SessionData {
public:
    virtual ~SessionData() = default;
};

/// A file a handler hands to the browser; fetched once by its token.
struct Download {
    std::string path;
    std::string fileName;
    bool deleteAfterSend = false;
};

/// One browser session: its pages, queued messages, downloads, cookies and
/// the request cycle. Requests of one session run one at a time: the caller
/// holds lock() while calling handle() (SessionManager does).
class WebSession {
public:
    WebSession(std::string id, WebApplication& app);
    ~WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    /// The session of the request that the calling thread serves; nothing
    /// outside a request (timers, start-up).
    static WebSession* current();

    const std::string& id() const { return id_; }
    const std::string& csrfToken() const { return csrf_; }
    std::mutex& mutex() { return mutex_; }
    WebApplication& application() const { return app_; }

    // --- pages -------------------------------------------------------------
    /// Creates a page, runs its creation step and makes it the shown page.
    /// The page that was shown stays alive (hidden) unless it released itself.
    template <class P, class... Args>
    P& open(Args&&... args)
    {
        auto page = std::make_unique<P>(*this, std::forward<Args>(args)...);
        P& ref = *page;
        adoptPage(std::move(page));
        ref.create();
        ref.show();
        return ref;
    }
    /// Like open(), but the new page records the shown page as its owner, to
    /// which it can return with returnToOwner().
    template <class P, class... Args>
    P& openChild(Args&&... args)
    {
        Page* owner = current_;
        P& child = open<P>(std::forward<Args>(args)...);
        child.setOwner(owner);
        return child;
    }
    /// Releases page and shows its owner again, unchanged.
    void returnToOwner(Page& page);
    Page* currentPage() const { return current_; }
    void setCurrentPage(Page& page);
    /// Live pages (shown or hidden), oldest first.
    size_t pageCount() const { return pages_.size(); }
    /// Releases every page (used before the login page is opened afresh).
    void releaseAllPages();

    // --- things shown with the next page ------------------------------------
    /// Queues a message box; all queued messages appear, in order, with the
    /// next rendered page, whichever page that is.
    void showMessage(std::string text);
    const std::deque<std::string>& pendingMessages() const { return messages_; }
    /// Hands a server file to the browser as an attachment; the download
    /// starts once the next page has loaded.
    void sendFile(std::string path, std::string fileName, bool deleteAfterSend = false);
    /// Takes a download by its token (once).
    std::optional<Download> takeDownload(const std::string& token);

    // --- request context ----------------------------------------------------
    const CookieJar& requestCookies() const { return request_ ? request_->cookies : noCookies_; }
    const std::string& clientAddress() const { return request_ ? request_->clientAddress : noAddress_; }
    /// Sets a cookie with the response (always HttpOnly).
    void setCookie(SetCookie cookie) { outCookies_.push_back(std::move(cookie)); }
    /// Asks for a fresh session id after this request, and gives the session
    /// a fresh CSRF token at once (the page this request renders carries it);
    /// call on every successful login.
    void renewIdAfterRequest();
    bool idRenewalRequested() const { return renewId_; }
    void assignId(std::string id);

    // --- application data -----------------------------------------------------
    void setData(std::unique_ptr<SessionData> data) { data_ = std::move(data); }
    SessionData* data() const { return data_.get(); }
    void clearData() { data_.reset(); }

    // --- the request cycle ----------------------------------------------------
    /// Serves one page request: applies the post, runs its event, renders the
    /// current page. Exceptions of handlers go to the application.
    WebResponse handle(const WebRequest& request);
    /// Renders the shown page as a whole HTML document.
    std::string renderDocument();
    unsigned long long renderSerial() const { return serial_; }

    /// When a request of this session last started (read by the sweeper without the session lock).
    std::chrono::steady_clock::time_point lastAccess() const
    {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(lastAccess_.load()));
    }
    void touch() { lastAccess_ = std::chrono::steady_clock::now().time_since_epoch().count(); }

private:
    friend class CurrentSessionScope;
    void adoptPage(std::unique_ptr<Page> page);
    bool postIsCurrent(const PostedForm& form) const;
    void runPost(const PostedForm& form);
    void destroyReleasedPages();
    void ensurePageToShow();
    void removeUploads(const WebRequest& request);

    std::string id_;
    std::string csrf_;
    WebApplication& app_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Page>> pages_;
    Page* current_ = nullptr;
    std::deque<std::string> messages_;
    std::map<std::string, Download> downloads_;
    std::vector<std::string> downloadsToStart_;
    std::vector<SetCookie> outCookies_;
    std::unique_ptr<SessionData> data_;
    const WebRequest* request_ = nullptr;
    unsigned long long serial_ = 0;
    size_t lastRenderSize_ = 0;
    bool renewId_ = false;
    std::atomic<std::chrono::steady_clock::rep> lastAccess_{0};
    static inline const CookieJar noCookies_{};
    static inline const std::string noAddress_{};
};

/// Binds a session to the calling thread for the length of a scope; with a
/// request, the session also sees that request's cookies and address (the
/// start of a session, before its first request is handled).
class CurrentSessionScope {
public:
    explicit CurrentSessionScope(WebSession* session, const WebRequest* request = nullptr);
    ~CurrentSessionScope();
    CurrentSessionScope(const CurrentSessionScope&) = delete;
    CurrentSessionScope& operator=(const CurrentSessionScope&) = delete;

private:
    WebSession* previous_;
    WebSession* session_;
    const WebRequest* previousRequest_ = nullptr;
    bool setsRequest_;
};

/// A random 128-bit value from the operating system, as 32 hex digits.
std::string randomToken();

} // namespace zorv::web
