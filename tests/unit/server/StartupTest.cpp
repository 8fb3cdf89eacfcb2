#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/Tdmdata.h"
#include "server/KeepAliveProbe.h"
#include "server/PrivFolders.h"
#include "server/ReconnectSchedule.h"
#include "server/ServerConfig.h"
#include "server/ServerTimers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zorv::server {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// A fresh installation home per test, removed afterwards.
class TempHome : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() /
                ("zorv-startup-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_);
        setProgramFolder(home_);
    }
    void TearDown() override { fs::remove_all(home_); }

    static void writeFile(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    fs::path home_;
};

/// A process id that certainly belongs to no running process.
pid_t deadPid() {
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// ---- private folders ------------------------------------------------------

using PrivFoldersTest = TempHome;

TEST_F(PrivFoldersTest, LeftoverFoldersAreEmptiedAndRemovedAndTheFirstFreeNumberIsClaimed) {
    const fs::path priv = home_ / "PRIV";
    writeFile(priv / "4100" / kPrivateLockFile, std::to_string(deadPid()));
    writeFile(priv / "4100" / "report.xls", "old");
    writeFile(priv / "4101" / "uploads" / "part.csv", "old");

    const fs::path chosen = preparePrivateFolder(home_, "2", "4");

    EXPECT_EQ(chosen, priv / "4102");
    EXPECT_FALSE(fs::exists(priv / "4100"));
    EXPECT_FALSE(fs::exists(priv / "4101"));
    EXPECT_TRUE(fs::is_directory(priv / "2"));
    EXPECT_TRUE(isLockedByLiveProcess(chosen));
    std::string owner;
    std::ifstream(chosen / kPrivateLockFile) >> owner;
    EXPECT_EQ(owner, std::to_string(getpid()));
    EXPECT_EQ(std::distance(fs::directory_iterator(priv), fs::directory_iterator()), 2)
        << "only PRIV/2 and PRIV/4102 remain, no staging folder";

    writeFile(chosen / "uploads" / "part.csv", "new");
    releasePrivateFolder(chosen);
    EXPECT_FALSE(fs::exists(chosen));
}

TEST_F(PrivFoldersTest, FolderOfALiveProcessIsSkippedAndKeptIntact) {
    const fs::path live = home_ / "PRIV" / "4100";
    writeFile(live / kPrivateLockFile, std::to_string(getpid()));
    writeFile(live / "session.tmp", "in use");

    const fs::path chosen = preparePrivateFolder(home_, "2", "4");

    EXPECT_EQ(chosen, home_ / "PRIV" / "4101");
    EXPECT_TRUE(fs::exists(live / "session.tmp"));
    EXPECT_TRUE(fs::exists(live / kPrivateLockFile));
}

TEST_F(PrivFoldersTest, ReleaseLeavesAFolderClaimedByAnotherProcess) {
    const fs::path other = home_ / "PRIV" / "4100";
    writeFile(other / kPrivateLockFile, "1");
    releasePrivateFolder(other);
    EXPECT_TRUE(fs::exists(other / kPrivateLockFile));
}

TEST_F(PrivFoldersTest, FolderValuesThatLeavePrivAreRefused) {
    EXPECT_THROW(preparePrivateFolder(home_, "2", "../4"), std::invalid_argument);
    EXPECT_THROW(preparePrivateFolder(home_, "a/b", "4"), std::invalid_argument);
}

// ---- daily reconnection -----------------------------------------------------

DateTime at(const char* text) {
    const auto value = DateTime::parse(text);
    if (!value)
        throw std::invalid_argument(text);
    return *value;
}

struct ReconnectCase {
    const char* name;
    const char* now;
    std::optional<const char*> storedLast;
    bool reset;
    const char* time;
    bool reconnect;
    std::optional<const char*> newLast;
};

TEST(ReconnectScheduleTest, DecidesFromTheLastRunAndTheSessionTime) {
    const ReconnectCase cases[] = {
        {"first tick after the time: last run is today", "01/01/2025 04:00", {}, true, "03:00",
         false, "01/01/2025 03:00"},
        {"one minute short of a day", "02/01/2025 02:59", "01/01/2025 03:00", true, "03:00", false,
         {}},
        {"exactly a day is not more than a day", "02/01/2025 03:00", "01/01/2025 03:00", true,
         "03:00", false, {}},
        {"one minute past a day: reconnect, last moves to today", "02/01/2025 03:01",
         "01/01/2025 03:00", true, "03:00", true, "02/01/2025 03:00"},
        {"first tick before the time: last run is yesterday", "01/01/2025 01:00", {}, true,
         "03:00", false, "31/12/2024 03:00"},
        {"after yesterday's first tick, runs just after today's time", "01/01/2025 03:01",
         "31/12/2024 03:00", true, "03:00", true, "01/01/2025 03:00"},
        {"long overdue before today's time", "10/01/2025 01:00", "01/01/2025 03:00", true,
         "03:00", true, "10/01/2025 03:00"},
        {"time with seconds", "01/01/2025 04:00", {}, true, "03:15:30", false,
         "01/01/2025 03:15:30"},
        {"reset on, no time", "05/01/2025 04:00", "01/01/2025 03:00", true, "", false, {}},
        {"reset off", "05/01/2025 04:00", "01/01/2025 03:00", false, "03:00", false, {}},
        {"reset off, nothing stored", "05/01/2025 04:00", {}, false, "03:00", false, {}},
        {"time that does not parse", "05/01/2025 04:00", {}, true, "3 o'clock", false, {}},
        {"time out of range", "05/01/2025 04:00", {}, true, "25:00", false, {}},
    };
    for (const ReconnectCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DateTime> stored =
            c.storedLast ? std::optional(at(*c.storedLast)) : std::nullopt;
        const ReconnectDecision expected{
            c.reconnect, c.newLast ? std::optional(at(*c.newLast)) : std::nullopt};
        EXPECT_EQ(decideReconnect(at(c.now), stored, c.reset, c.time), expected);
    }
}

class CountingTdmdata : public data::Tdmdata {
public:
    std::vector<std::string> aliasNames() const override {
        return {aliases.begin(), aliases.end()};
    }
    bool aliasExists(const std::string& alias) const override { return aliases.count(alias) > 0; }
    void probe(const std::string& alias, const std::string& sql) override {
        std::lock_guard lock(mutex);
        probes.emplace_back(alias, sql);
        if (failing.count(alias))
            throw std::runtime_error("connection lost");
    }
    void ReconnectDatabases() override {
        ++reconnects;
        if (reconnectThrows)
            throw std::runtime_error("server unreachable");
    }

    std::set<std::string> aliases;
    std::set<std::string> failing;
    bool reconnectThrows = false;
    std::atomic<int> reconnects{0};
    std::mutex mutex;
    std::vector<std::pair<std::string, std::string>> probes;
};

using DailyReconnectTest = TempHome;

TEST_F(DailyReconnectTest, TicksStoreLastAndReconnectOnceADay) {
    Ini ini(zorvwebIniPath());
    ini.writeBool("Session", "Reset", true);
    ini.writeString("Session", "time", "03:00");
    ini.writeString("Session", "Last", "not a date");
    CountingTdmdata db;

    dailyReconnectTick(ini, &db, at("01/01/2025 04:00"));
    EXPECT_EQ(ini.readString("Session", "Last"), "01/01/2025 03:00:00");
    EXPECT_EQ(db.reconnects, 0);

    db.reconnectThrows = true;
    EXPECT_THROW(dailyReconnectTick(ini, &db, at("02/01/2025 03:01")), std::runtime_error);
    EXPECT_EQ(ini.readString("Session", "Last"), "01/01/2025 03:00:00") << "a failed run stays due";

    db.reconnectThrows = false;
    dailyReconnectTick(ini, &db, at("02/01/2025 03:02"));
    dailyReconnectTick(ini, &db, at("02/01/2025 03:03"));
    EXPECT_EQ(db.reconnects, 2);
    EXPECT_EQ(ini.readString("Session", "Last"), "02/01/2025 03:00:00");
}

TEST_F(DailyReconnectTest, WithoutADataModuleTheHookReconnects) {
    Ini ini(zorvwebIniPath());
    ini.writeBool("Session", "Reset", true);
    ini.writeString("Session", "time", "03:00");
    ini.writeString("Session", "Last", "01/01/2025 03:00:00");

    dailyReconnectTick(ini, nullptr, at("02/01/2025 03:01"));
    EXPECT_EQ(ini.readString("Session", "Last"), "01/01/2025 03:00:00")
        << "nothing reconnected, so the run stays due";

    int hookCalls = 0;
    dailyReconnectTick(ini, nullptr, at("02/01/2025 03:02"), [&] { ++hookCalls; });
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(ini.readString("Session", "Last"), "02/01/2025 03:00:00");
}

// ---- keep-alive -----------------------------------------------------------

struct KeepAliveCase {
    const char* name;
    bool logSuccess;
    std::set<std::string> failing;
    std::map<std::string, std::string> expected;
};

using KeepAliveTest = TempHome;

TEST_F(KeepAliveTest, LogsFailuresAlwaysAndSuccessesOnlyWhenAsked) {
    const KeepAliveCase cases[] = {
        {"all well, log off", false, {}, {}},
        {"all well, log on",
         true,
         {},
         {{"Zorvcent", "success"}, {"GlobalHR", "success"}, {"dbZorvLondon", "success"},
          {"DBZORVPARIS", "success"}}},
        {"failures, log off",
         false,
         {"CentQuennel", "DBZORVPARIS"},
         {{"Zorvcent", "Failure"}, {"DBZORVPARIS", "Failure"}}},
        {"failures, log on",
         true,
         {"GlobalQuennel", "dbZorvLondon"},
         {{"Zorvcent", "success"}, {"GlobalHR", "Failure"}, {"dbZorvLondon", "Failure"},
          {"DBZORVPARIS", "success"}}},
    };
    for (const KeepAliveCase& c : cases) {
        SCOPED_TRACE(c.name);
        CountingTdmdata db;
        // VizereDivIdid is absent; "dbZorv" needs all six letters.
        db.aliases = {"CentQuennel", "GlobalQuennel", "dbZorvLondon", "DBZORVPARIS", "dbZor",
                      "dbZorkX", "Payroll"};
        db.failing = c.failing;
        Ini log(keepAliveIniPath());
        log.eraseSection("02/01/2025 10:30:00");

        keepAliveTick(db, log, c.logSuccess, at("02/01/2025 10:30:00"));

        std::map<std::string, std::string> written;
        for (const std::string& key : log.keys("02/01/2025 10:30:00"))
            written[key] = log.readString("02/01/2025 10:30:00", key);
        EXPECT_EQ(written, c.expected);
    }
}

TEST_F(KeepAliveTest, EachDatabaseIsProbedWithItsQuery) {
    CountingTdmdata db;
    db.aliases = {"CentQuennel", "GlobalQuennel", "VizereDivIdid", "dbzorvRome", "Payroll"};
    Ini log(keepAliveIniPath());

    keepAliveTick(db, log, false, at("02/01/2025 10:30:00"));

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CentQuennel", "select * from users"},
        {"GlobalQuennel", "select * from label"},
        {"VizereDivIdid", "select * from label"},
        {"dbzorvRome", "select staffno from master"},
    };
    EXPECT_EQ(db.probes, expected);
}

// ---- start-up sequence ------------------------------------------------------

using RunStartupTest = TempHome;

TEST_F(RunStartupTest, ReadsTheConfigurationAndPreparesTheHome) {
    writeFile(home_ / "zorvweb.ini", "[Program]\nPrivdir=7\nPrivdirNew=9\n"
                                     "[WEB]\nPort=8081\ntimeout=0\nCompression=1\nredirect=\n"
                                     "System=Acme HR\nCreateUserSec=0\nMaxPostKB=abc\n"
                                     "[Windows]\nAuth=1\nActiveDirectory=ldap://dc1\n"
                                     "ActivePrefix=CORP\\\nActiveSuffix=@corp.example\n"
                                     "[KeepAlive]\nOn=1\nLog=yes\n");

    const StartupResult r = runStartup(home_);

    EXPECT_EQ(programFolder(), home_);
    EXPECT_TRUE(fs::is_directory(home_ / "Net" / "3"));
    EXPECT_EQ(r.privateFolder, home_ / "PRIV" / "7100");
    EXPECT_TRUE(fs::is_directory(home_ / "PRIV" / "9"));
    EXPECT_TRUE(r.authHookAttached);
    EXPECT_FALSE(r.debug);
    EXPECT_FALSE(fs::exists(debugIniPath())) << "nothing traced with the debugger off";

    const ServerConfig& c = r.config;
    EXPECT_EQ(c.port, 8081);
    EXPECT_EQ(c.timeoutMinutes, 10);
    EXPECT_TRUE(c.compression);
    EXPECT_EQ(c.redirect, "/");
    EXPECT_EQ(c.maxPostKB, 1024);
    EXPECT_EQ(c.maxSessions, 20000);
    EXPECT_EQ(c.address, "0.0.0.0");
    EXPECT_TRUE(c.windowsAuth);
    EXPECT_TRUE(c.keepAliveOn);
    EXPECT_FALSE(c.keepAliveLog) << "not a number reads as the default";

    EXPECT_EQ(serverSettings().systemName(), "Acme HR");
    EXPECT_EQ(serverSettings().activeDirectory(), "ldap://dc1");
    EXPECT_EQ(serverSettings().activePrefix(), "CORP\\");
    EXPECT_EQ(serverSettings().activeSuffix(), "@corp.example");
    EXPECT_FALSE(serverSettings().createUserSec());
    setCreateUserSec(true);
    EXPECT_TRUE(serverSettings().createUserSec());
    releasePrivateFolder(r.privateFolder);
}

TEST_F(RunStartupTest, DebuggerOnTracesTheStartUp) {
    writeFile(home_ / "zorvwebdebug.ini", "[Debugger]\ndebugger=1\n");

    const StartupResult r = runStartup(home_);

    EXPECT_TRUE(r.debug);
    EXPECT_EQ(r.privateFolder, home_ / "PRIV" / "4100");
    EXPECT_EQ(r.config.systemName, "ZorvWork");
    const Ini trace(debugIniPath());
    EXPECT_EQ(trace.readString("IWServerController", "1"), "1");
    EXPECT_EQ(trace.readString("IWServerController", "Filepath"), zorvwebIniPath());
    EXPECT_EQ(trace.readString("IWServerController", "PrivateDir"), "PRIV/4");
    EXPECT_EQ(trace.readString("IWServerController", "System"), "ZorvWork");
    releasePrivateFolder(r.privateFolder);
}

TEST_F(RunStartupTest, APortOutOfRangeStopsTheStartUp) {
    writeFile(home_ / "zorvweb.ini", "[web]\nport=70000\n");
    EXPECT_THROW(runStartup(home_), std::invalid_argument);
}

// ---- timers -----------------------------------------------------------------

/// Polls until done() holds; false after a generous time-out.
template <class Predicate>
bool eventually(Predicate done) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

using ServerTimersTest = TempHome;

TEST_F(ServerTimersTest, MissingDataModuleIsRecreatedAtMostOncePerInterval) {
    std::atomic<int> ticks{0};
    std::atomic<int> ensures{0};
    ServerTimersOptions options;
    options.interval = 1ms;
    options.ensureInterval = 1h;
    options.dataModule = [] { return nullptr; };
    options.ensureDataModule = [&] { ++ensures; };
    options.clock = [&] {
        ++ticks;
        return at("02/01/2025 10:30");
    };
    ServerTimers timers(options);

    ASSERT_TRUE(eventually([&] { return ticks >= 20; }));
    timers.stop();
    EXPECT_EQ(ensures, 1);
}

TEST_F(ServerTimersTest, FailingTicksAreLoggedAndTheTimersCarryOn) {
    Ini zorvweb(zorvwebIniPath());
    zorvweb.writeBool("Session", "Reset", true);
    zorvweb.writeString("Session", "time", "03:00");
    zorvweb.writeString("Session", "Last", "01/01/2025 03:00:00");

    CountingTdmdata db;
    db.aliases = {"CentQuennel"};
    db.failing = {"CentQuennel"};
    db.reconnectThrows = true;
    CountingTdmdata* module = nullptr;
    std::atomic<int> ticks{0};

    ServerTimersOptions options;
    options.interval = 1ms;
    options.ensureInterval = 0ms;
    options.keepAliveOn = true;
    options.dataModule = [&] { return module; };
    options.ensureDataModule = [&] { module = &db; };
    options.clock = [&] {
        ++ticks;
        return at("05/01/2025 10:30:00");
    };
    ServerTimers timers(options);

    ASSERT_TRUE(eventually([&] { return db.reconnects >= 3; }));
    timers.stop();
    const int ticksAtStop = ticks;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(ticks, ticksAtStop) << "no tick after stop()";

    EXPECT_EQ(Ini(keepAliveIniPath()).readString("05/01/2025 10:30:00", "Zorvcent"), "Failure");
    EXPECT_EQ(zorvweb.readString("Session", "Last"), "01/01/2025 03:00:00");
    const Ini errors(errorIniPath());
    const std::vector<std::string> sections = errors.sections();
    EXPECT_TRUE(std::any_of(sections.begin(), sections.end(), [&](const std::string& section) {
        return errors.readString(section, "Error") == "server unreachable";
    })) << "the failed reconnections were logged";
}

} // namespace
} // namespace zorv::server
