#include "server/ServerConfig.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "server/DebugTrace.h"
#include "server/PrivFolders.h"

#include <atomic>
#include <fmt/format.h>
#include <mutex>
#include <stdexcept>

namespace zorv::server {

namespace {

constexpr int kHighestPort = 65535;
constexpr const char* kTraceSection = "IWServerController";

/// An integer limit: a value below 1 would switch the feature off by accident.
int readPositive(const Ini& ini, const char* section, const char* key, int def) {
    const int value = ini.readInteger(section, key, def);
    return value < 1 ? def : value;
}

std::string readNonEmpty(const Ini& ini, const char* section, const char* key,
                         const std::string& def) {
    std::string value = ini.readString(section, key, def);
    return value.empty() ? def : value;
}

} // namespace

ServerConfig ServerConfig::read(const Ini& ini) {
    ServerConfig c;
    c.privdirNew = ini.readString("Program", "PrivdirNew", c.privdirNew);
    c.privdir = ini.readString("Program", "Privdir", c.privdir);

    c.port = ini.readInteger("web", "port", c.port);
    if (c.port < 1 || c.port > kHighestPort)
        throw std::invalid_argument(
            fmt::format("zorvweb.ini [web] port={} is not a port number (1..{})", c.port,
                        kHighestPort));
    c.timeoutMinutes = readPositive(ini, "web", "TimeOut", c.timeoutMinutes);
    c.compression = ini.readBool("web", "Compression", c.compression);
    c.redirect = readNonEmpty(ini, "web", "redirect", c.redirect);
    c.systemName = ini.readString("web", "System", c.systemName);
    c.createUserSec = ini.readBool("web", "CreateUserSec", c.createUserSec);
    c.maxSessions = readPositive(ini, "web", "MaxSessions", c.maxSessions);
    c.maxUploadMB = readPositive(ini, "web", "MaxUploadMB", c.maxUploadMB);
    c.maxPostKB = readPositive(ini, "web", "MaxPostKB", c.maxPostKB);
    c.connectionThreads = readPositive(ini, "web", "ConnectionThreads", c.connectionThreads);
    c.address = readNonEmpty(ini, "web", "Address", c.address);

    c.windowsAuth = ini.readBool("Windows", "Auth", c.windowsAuth);
    c.activeDirectory = ini.readString("Windows", "ActiveDirectory");
    c.activePrefix = ini.readString("Windows", "ActivePrefix");
    c.activeSuffix = ini.readString("Windows", "ActiveSuffix");

    c.keepAliveOn = ini.readBool("KeepAlive", "On", c.keepAliveOn);
    c.keepAliveLog = ini.readBool("KeepAlive", "Log", c.keepAliveLog);
    return c;
}

StartupResult runStartup(const std::filesystem::path& home) {
    StartupResult result;
    setProgramFolder(home);
    const Ini zorvweb(zorvwebIniPath());

    // Nothing of ours reads it, but operators and the desktop products look for it.
    std::filesystem::create_directories(home / "Net" / "3");

    result.debug = Ini(debugIniPath()).readBool("Debugger", "debugger", false);
    DebugTrace trace(result.debug);
    if (trace.on()) {
        trace.write(kTraceSection, "1", "1");
        trace.write(kTraceSection, "Filepath", zorvweb.path());
    }

    // The hook refuses everybody; it is attached only when asked for.
    result.authHookAttached = zorvweb.readBool("Windows", "Auth", false);

    result.config = ServerConfig::read(zorvweb);
    result.privateFolder =
        preparePrivateFolder(home, result.config.privdirNew, result.config.privdir);
    if (trace.on()) {
        trace.write(kTraceSection, "PrivateDir", "PRIV/" + result.config.privdir);
        trace.write(kTraceSection, "System", result.config.systemName);
    }

    publishServerSettings(result.config);
    return result;
}

namespace {

struct SettingsValues {
    std::string systemName = "ZORVWORK";
    std::string activeDirectory;
    std::string activePrefix;
    std::string activeSuffix;
};

std::mutex settingsMutex;
SettingsValues settingsValues;
std::atomic<bool> createUserSecValue{true};

template <class Member>
std::string readSetting(Member member) {
    std::lock_guard lock(settingsMutex);
    return settingsValues.*member;
}

} // namespace

std::string ServerSettings::systemName() const { return readSetting(&SettingsValues::systemName); }
std::string ServerSettings::activeDirectory() const {
    return readSetting(&SettingsValues::activeDirectory);
}
std::string ServerSettings::activePrefix() const {
    return readSetting(&SettingsValues::activePrefix);
}
std::string ServerSettings::activeSuffix() const {
    return readSetting(&SettingsValues::activeSuffix);
}
bool ServerSettings::createUserSec() const { return createUserSecValue.load(); }

const ServerSettings& serverSettings() {
    static const ServerSettings settings;
    return settings;
}

void setCreateUserSec(bool value) { createUserSecValue.store(value); }

void publishServerSettings(const ServerConfig& config) {
    {
        std::lock_guard lock(settingsMutex);
        settingsValues = {config.systemName, config.activeDirectory, config.activePrefix,
                          config.activeSuffix};
    }
    createUserSecValue.store(config.createUserSec);
}

} // namespace zorv::server
