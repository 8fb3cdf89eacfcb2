#pragma once

#include <exception>

namespace zorv::web {

class WebSession;

/// The hooks through which the page framework hands sessions to the
/// application. web/ knows nothing of HR; the server controller implements this.
class WebApplication {
public:
    virtual ~WebApplication() = default;
    /// A new session: attach the application's session data and open the first page.
    virtual void sessionStarted(WebSession& session) = 0;
    /// The session ends (logout, time-out, eviction, server stop). Runs under
    /// the session's lock, outside any request.
    virtual void sessionClosed(WebSession& session) = 0;
    /// A handler raised an exception nothing else handled. Must leave a page to show.
    virtual void sessionException(WebSession& session, const std::exception& error) = 0;
    /// Opens the page a session starts on (the login page). Also used when a
    /// request leaves no live page to show.
    virtual void openStartPage(WebSession& session) = 0;
    /// A request of the session has been answered (its page rendered).
    virtual void requestFinished(WebSession&) {}
};

} // namespace zorv::web
