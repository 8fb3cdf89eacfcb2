#pragma once

#include "web/WebSession.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace zorv::web {

class WebApplication;

/// The live sessions of the server, keyed by their random id.
///
/// Sessions idle longer than the time-out are closed by sweep(). The number
/// of live sessions is capped: creating one more closes the longest-idle
/// session first, so a flood of cookie-less requests cannot exhaust memory.
class SessionManager {
public:
    struct Settings {
        std::chrono::seconds timeout{600};
        size_t maxSessions = 20000;
    };

    SessionManager(WebApplication& app, Settings settings);
    ~SessionManager();

    /// The live session with this id, or nothing.
    std::shared_ptr<WebSession> find(const std::string& id);
    /// Creates a session and lets the application start it (first page).
    std::shared_ptr<WebSession> create(const WebRequest* firstRequest = nullptr);
    /// Gives the session a fresh id; the old id stops working.
    void renewId(const std::shared_ptr<WebSession>& session);
    /// Closes one session (logout of the whole session, eviction).
    void close(const std::shared_ptr<WebSession>& session);
    /// Closes every session idle for longer than the time-out; returns how many.
    size_t sweep();
    /// Closes every session (server stop).
    void closeAll();
    size_t size() const;
    const Settings& settings() const { return settings_; }

private:
    void closeLocked(const std::shared_ptr<WebSession>& session);
    std::shared_ptr<WebSession> longestIdle() const;

    WebApplication& app_;
    Settings settings_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, std::shared_ptr<WebSession>> sessions_;
};

} // namespace zorv::web
