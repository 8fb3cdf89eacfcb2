#include "signin/LogonThrottle.h"

#include "common/Text.h"

#include <algorithm>

namespace zorv::signin {
namespace {

using TimePoint = LogonThrottle::Clock::time_point;

bool isWindowOver(TimePoint firstFailure, TimePoint now)
{
    return now - firstFailure >= LogonThrottle::kFailureWindow;
}

} // namespace

LogonThrottle::LogonThrottle(std::size_t maxEntries) : maxEntries_(std::max<std::size_t>(maxEntries, 1)) {}

bool LogonThrottle::allowed(std::string_view login, std::string_view address, Clock::time_point now) const
{
    const std::lock_guard lock(mutex_);
    return !isLocked(logins_, toLower(login), now) && !isLocked(addresses_, std::string(address), now);
}

void LogonThrottle::failed(std::string_view login, std::string_view address, Clock::time_point now)
{
    const std::lock_guard lock(mutex_);
    countFailure(logins_, toLower(login), kMaxFailuresPerLogin, now);
    countFailure(addresses_, std::string(address), kMaxFailuresPerAddress, now);
}

void LogonThrottle::succeeded(std::string_view login)
{
    const std::lock_guard lock(mutex_);
    logins_.erase(toLower(login));
}

std::size_t LogonThrottle::loginEntries() const
{
    const std::lock_guard lock(mutex_);
    return logins_.size();
}

std::size_t LogonThrottle::addressEntries() const
{
    const std::lock_guard lock(mutex_);
    return addresses_.size();
}

bool LogonThrottle::isLocked(const Table& table, const std::string& key, Clock::time_point now)
{
    const auto found = table.find(key);
    return found != table.end() && now < found->second.lockedUntil;
}

void LogonThrottle::countFailure(Table& table, const std::string& key, int limit, Clock::time_point now)
{
    if (isLocked(table, key, now))
        return;
    if (!table.contains(key))
        makeRoom(table, now);
    Failures& entry = table[key];
    if (entry.count == 0 || isWindowOver(entry.firstFailure, now))
        entry = Failures{0, now, now, {}};
    ++entry.count;
    entry.lastFailure = now;
    if (entry.count >= limit)
        entry.lockedUntil = now + kLockDuration;
}

void LogonThrottle::makeRoom(Table& table, Clock::time_point now) const
{
    if (table.size() < maxEntries_)
        return;
    std::erase_if(table, [now](const auto& item) {
        const Failures& f = item.second;
        return isWindowOver(f.firstFailure, now) && now >= f.lockedUntil;
    });
    if (table.size() < maxEntries_)
        return;
    const auto oldest = std::min_element(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.second.lastFailure < b.second.lastFailure;
    });
    table.erase(oldest);
}

} // namespace zorv::signin
