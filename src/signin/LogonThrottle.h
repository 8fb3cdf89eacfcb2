#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zorv::signin {

/// Refuses logon attempts after too many failures, per login name (without
/// regard to case) and per client address. In memory, shared by all sessions
/// and safe to call from any thread. Time is passed in by the caller.
class LogonThrottle {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr int kMaxFailuresPerLogin = 5;
    static constexpr int kMaxFailuresPerAddress = 20;
    /// Failures older than this are forgotten.
    static constexpr std::chrono::minutes kFailureWindow{15};
    /// How long attempts stay refused once a limit is reached.
    static constexpr std::chrono::minutes kLockDuration{15};
    /// Most names (and, separately, addresses) remembered at once; when full,
    /// expired entries go first, then the least recently failed one.
    static constexpr std::size_t kDefaultMaxEntries = 10000;

    explicit LogonThrottle(std::size_t maxEntries = kDefaultMaxEntries);

    /// False while login or address is locked out; the attempt must then be
    /// refused without checking the password.
    bool allowed(std::string_view login, std::string_view address, Clock::time_point now) const;
    /// Counts a failed attempt that allowed() let through.
    void failed(std::string_view login, std::string_view address, Clock::time_point now);
    /// Forgets the login's failures. The address keeps its count, so one
    /// known password cannot reset the count of guesses at other names.
    void succeeded(std::string_view login);

    /// Entries held (for tests of the bound).
    std::size_t loginEntries() const;
    std::size_t addressEntries() const;

private:
    struct Failures {
        int count = 0;
        Clock::time_point firstFailure;
        Clock::time_point lastFailure;
        Clock::time_point lockedUntil;
    };
    using Table = std::unordered_map<std::string, Failures>;

    static bool isLocked(const Table& table, const std::string& key, Clock::time_point now);
    void countFailure(Table& table, const std::string& key, int limit, Clock::time_point now);
    void makeRoom(Table& table, Clock::time_point now) const;

    const std::size_t maxEntries_;
    mutable std::mutex mutex_;
    Table logins_;
    Table addresses_;
};

} // namespace zorv::signin
