#pragma once

#include "common/DateTime.h"

#include <functional>
#include <optional>
#include <string_view>

namespace zorv {
class Ini;
}
namespace zorv::data {
class Tdmdata;
}

namespace zorv::server {

/// Outcome of one daily-reconnection check.
struct ReconnectDecision {
    bool reconnect = false;
    /// Value to store as [Session] Last; nothing when it stays as it is.
    std::optional<DateTime> newLast;

    friend bool operator==(const ReconnectDecision&, const ReconnectDecision&) = default;
};

/// Decides whether the shared databases are reconnected at now. Nothing
/// happens unless reset is on and sessionTime is a valid time of day t.
/// Without a stored last run, the latest t at or before now is taken (and
/// stored) as the last run. A reconnection is due once more than a day has
/// passed since the last run; it then stores today's date at t.
ReconnectDecision decideReconnect(DateTime now, std::optional<DateTime> storedLast, bool reset,
                                  std::string_view sessionTime);

/// One tick of the daily reconnection: reads zorvweb.ini [Session] Reset,
/// time and Last ("dd/mm/yyyy hh:nn:ss"; a value that does not parse counts
/// as none), reconnects through db, or through reconnectMissing when db is
/// nullptr, and then stores Last. A reconnection that throws leaves Last as it
/// was, so the next tick tries again; the exception propagates.
void dailyReconnectTick(Ini& zorvwebIni, data::Tdmdata* db, DateTime now,
                        const std::function<void()>& reconnectMissing = {});

} // namespace zorv::server
