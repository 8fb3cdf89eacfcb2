#include "server/ServerTimers.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/Tdmdata.h"
#include "server/ErrorLog.h"
#include "server/KeepAliveProbe.h"
#include "server/ReconnectSchedule.h"

#include <exception>

namespace zorv::server {

namespace {

constexpr const char* kErrorKey = "Error";

/// Runs one step of a tick; whatever it throws goes to the error log.
template <class Step>
void runLogged(Step&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        logError(kErrorKey, e.what());
    } catch (...) {
        logError(kErrorKey, "unknown exception in a server timer");
    }
}

} // namespace

ServerTimers::ServerTimers(ServerTimersOptions options) : options_(std::move(options)) {
    if (!options_.clock)
        options_.clock = [] { return DateTime::now(); };
    thread_ = std::thread([this] { run(); });
}

ServerTimers::~ServerTimers() { stop(); }

void ServerTimers::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void ServerTimers::run() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, options_.interval, [this] { return stopping_; })) {
        lock.unlock();
        tick();
        lock.lock();
    }
}

data::Tdmdata* ServerTimers::currentDataModule() {
    return options_.dataModule ? options_.dataModule() : nullptr;
}

void ServerTimers::ensureDataModuleThrottled() {
    if (!options_.ensureDataModule || currentDataModule())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (lastEnsure_ && now - *lastEnsure_ < options_.ensureInterval)
        return;
    lastEnsure_ = now;
    options_.ensureDataModule();
}

void ServerTimers::tick() {
    const DateTime now = options_.clock();
    runLogged([&] { ensureDataModuleThrottled(); });

    if (options_.keepAliveOn) {
        runLogged([&] {
            if (data::Tdmdata* db = currentDataModule()) {
                Ini zorvtest(keepAliveIniPath());
                keepAliveTick(*db, zorvtest, options_.keepAliveLog, now);
            }
        });
    }

    runLogged([&] {
        Ini zorvweb(zorvwebIniPath());
        dailyReconnectTick(zorvweb, currentDataModule(), now,
                           [&] { ensureDataModuleThrottled(); });
    });
}

} // namespace zorv::server
