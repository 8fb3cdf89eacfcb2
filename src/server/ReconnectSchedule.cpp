#include "server/ReconnectSchedule.h"

#include "common/Ini.h"
#include "data/Tdmdata.h"

namespace zorv::server {

namespace {

constexpr const char* kSection = "Session";

DateTime atTimeOfDay(Date date, int secondsAfterMidnight) {
    return DateTime{date, secondsAfterMidnight / 3600, secondsAfterMidnight / 60 % 60,
                    secondsAfterMidnight % 60};
}

} // namespace

ReconnectDecision decideReconnect(DateTime now, std::optional<DateTime> storedLast, bool reset,
                                  std::string_view sessionTime) {
    if (!reset || sessionTime.empty())
        return {};
    const std::optional<int> t = parseTimeOfDay(sessionTime);
    if (!t)
        return {};

    const DateTime todayAtT = atTimeOfDay(now.date, *t);
    ReconnectDecision decision;
    DateTime last;
    if (storedLast) {
        last = *storedLast;
    } else {
        last = now < todayAtT ? todayAtT.addDays(-1) : todayAtT;
        decision.newLast = last;
    }

    const bool moreThanADaySinceLast = now.addDays(-1) > last;
    if (moreThanADaySinceLast) {
        decision.reconnect = true;
        decision.newLast = todayAtT;
    }
    return decision;
}

void dailyReconnectTick(Ini& zorvwebIni, data::Tdmdata* db, DateTime now,
                        const std::function<void()>& reconnectMissing) {
    const bool reset = zorvwebIni.readBool(kSection, "Reset", false);
    const std::string time = zorvwebIni.readString(kSection, "time");
    const std::optional<DateTime> last = DateTime::parse(zorvwebIni.readString(kSection, "Last"));

    const ReconnectDecision decision = decideReconnect(now, last, reset, time);
    if (decision.reconnect) {
        if (db)
            db->ReconnectDatabases();
        else if (reconnectMissing)
            reconnectMissing();
        else
            return; // nothing was reconnected: stay due
    }
    if (decision.newLast)
        zorvwebIni.writeString(kSection, "Last", decision.newLast->format());
}

} // namespace zorv::server
