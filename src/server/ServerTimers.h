#pragma once

#include "common/DateTime.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace zorv::data {
class Tdmdata;
}

namespace zorv::server {

/// Settings of the background timers.
struct ServerTimersOptions {
    std::chrono::milliseconds interval{std::chrono::seconds(60)};
    /// Least time between two calls of ensureDataModule.
    std::chrono::milliseconds ensureInterval{std::chrono::seconds(30)};
    bool keepAliveOn = false;   ///< [KeepAlive] On at start-up
    bool keepAliveLog = false;  ///< [KeepAlive] Log at start-up
    /// The current shared data module; nullptr while it could not be opened.
    std::function<data::Tdmdata*()> dataModule;
    /// (Re)creates the shared data module when it is missing; may be empty.
    std::function<void()> ensureDataModule;
    /// Local time of a tick; the server clock unless a test replaces it.
    std::function<DateTime()> clock;
};

/// One background thread that, every interval, re-creates a missing data
/// module (at most once per ensureInterval), runs the keep-alive round when
/// it was switched on and checks the daily reconnection. The ticks touch no
/// session; each one logs its own exceptions to the error log and carries
/// on. The data module returned by dataModule must outlive the timers (stop
/// them before replacing or freeing it from another thread).
class ServerTimers {
public:
    explicit ServerTimers(ServerTimersOptions options);
    ~ServerTimers();
    ServerTimers(const ServerTimers&) = delete;
    ServerTimers& operator=(const ServerTimers&) = delete;

    /// Wakes the thread and waits for it to end; a running tick finishes first.
    /// Safe to call more than once.
    void stop();

private:
    void run();
    void tick();
    data::Tdmdata* currentDataModule();
    void ensureDataModuleThrottled();

    ServerTimersOptions options_;
    std::optional<std::chrono::steady_clock::time_point> lastEnsure_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zorv::server
