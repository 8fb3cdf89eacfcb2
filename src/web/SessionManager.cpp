#include "web/SessionManager.h"

#include "web/WebApplication.h"

#include <vector>

namespace zorv::web {

SessionManager::SessionManager(WebApplication& app, Settings settings) : app_(app), settings_(settings) {}

SessionManager::~SessionManager() { closeAll(); }

std::shared_ptr<WebSession> SessionManager::find(const std::string& id)
{
    std::lock_guard lock(mutex_);
    auto it = sessions_.find(id);
    return it == sessions_.end() ? nullptr : it->second;
}

std::shared_ptr<WebSession> SessionManager::longestIdle() const
{
    std::shared_ptr<WebSession> oldest;
    for (const auto& [id, s] : sessions_)
        if (!oldest || s->lastAccess() < oldest->lastAccess())
            oldest = s;
    return oldest;
}

std::shared_ptr<WebSession> SessionManager::create(const WebRequest* firstRequest)
{
    std::shared_ptr<WebSession> evicted;
    auto session = std::make_shared<WebSession>(randomToken(), app_);
    {
        std::lock_guard lock(mutex_);
        if (settings_.maxSessions > 0 && sessions_.size() >= settings_.maxSessions) {
            evicted = longestIdle();
            if (evicted)
                sessions_.erase(evicted->id());
        }
        sessions_.emplace(session->id(), session);
    }
    if (evicted)
        closeLocked(evicted);
    std::lock_guard sessionLock(session->mutex());
    CurrentSessionScope scope(session.get(), firstRequest);
    app_.sessionStarted(*session);
    return session;
}

void SessionManager::renewId(const std::shared_ptr<WebSession>& session)
{
    std::lock_guard lock(mutex_);
    auto it = sessions_.find(session->id());
    if (it != sessions_.end() && it->second == session)
        sessions_.erase(it);
    session->assignId(randomToken());
    sessions_.emplace(session->id(), session);
}

void SessionManager::closeLocked(const std::shared_ptr<WebSession>& session)
{
    // Waits for a request of this session that is still running.
    std::lock_guard sessionLock(session->mutex());
    try {
        app_.sessionClosed(*session);
    } catch (...) {
    }
    session->releaseAllPages();
}

void SessionManager::close(const std::shared_ptr<WebSession>& session)
{
    {
        std::lock_guard lock(mutex_);
        auto it = sessions_.find(session->id());
        if (it == sessions_.end() || it->second != session)
            return;
        sessions_.erase(it);
    }
    closeLocked(session);
}

size_t SessionManager::sweep()
{
    const auto deadline = std::chrono::steady_clock::now() - settings_.timeout;
    std::vector<std::shared_ptr<WebSession>> expired;
    {
        std::lock_guard lock(mutex_);
        for (auto it = sessions_.begin(); it != sessions_.end();) {
            if (it->second->lastAccess() < deadline) {
                expired.push_back(it->second);
                it = sessions_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& s : expired)
        closeLocked(s);
    return expired.size();
}

void SessionManager::closeAll()
{
    std::unordered_map<std::string, std::shared_ptr<WebSession>> all;
    {
        std::lock_guard lock(mutex_);
        all.swap(sessions_);
    }
    for (auto& [id, s] : all)
        closeLocked(s);
}

size_t SessionManager::size() const
{
    std::lock_guard lock(mutex_);
    return sessions_.size();
}

} // namespace zorv::web
