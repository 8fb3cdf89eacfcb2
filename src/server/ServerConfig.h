#pragma once

#include <filesystem>
#include <string>

namespace zorv {
class Ini;
}

namespace zorv::server {

/// The values of zorvweb.ini that are read once, at start-up; every other
/// key is read at the moment it is needed. Defaults are those of a missing key.
struct ServerConfig {
    // [Program]
    std::string privdirNew = "2";   ///< PRIV/<PrivdirNew> is created at start.
    std::string privdir = "4";      ///< Private folders are PRIV/<Privdir><n>, n >= 100.
    // [web]
    int port = 1000;
    int timeoutMinutes = 10;        ///< Idle session time-out; below 1 reads as 10.
    bool compression = false;
    std::string redirect = "/";     ///< Where an expired session is sent; empty reads as "/".
    std::string systemName = "ZorvWork";
    bool createUserSec = true;
    int maxSessions = 20000;        ///< Below 1 reads as the default.
    int maxUploadMB = 64;           ///< Below 1 reads as the default.
    int maxPostKB = 1024;           ///< Below 1 reads as the default.
    /// Open connections served at once, idle keep-alive ones included. Below 1 reads as the default.
    int connectionThreads = 256;
    std::string address = "0.0.0.0";
    // [Windows]
    bool windowsAuth = false;
    std::string activeDirectory;
    std::string activePrefix;
    std::string activeSuffix;
    // [KeepAlive]
    bool keepAliveOn = false;
    bool keepAliveLog = false;

    /// Reads every start-up key of zorvweb.ini. Throws std::invalid_argument
    /// when [web] port is outside 1..65535 (the server could not listen).
    static ServerConfig read(const Ini& zorvwebIni);
};

/// What start-up found and chose.
struct StartupResult {
    ServerConfig config;
    bool debug = false;                   ///< zorvwebdebug.ini [Debugger] debugger
    bool authHookAttached = false;
    std::filesystem::path privateFolder;  ///< This process's PRIV/<Privdir><n>, locked.
};

/// The start-up sequence, in this order: makes home the program folder,
/// creates <home>/Net/3, reads the debug switch (and traces to
/// zorvwebdebug.ini [IWServerController] when it is on), prepares the private
/// folders, reads the start-up configuration and publishes serverSettings().
/// Call once, before the HTTP server starts; throws when the private folder
/// cannot be chosen or the configuration cannot be used.
StartupResult runStartup(const std::filesystem::path& home);

/// Process-wide values fixed at start-up. Readable from any thread; before
/// runStartup() they hold the defaults, with system name "ZORVWORK".
class ServerSettings {
public:
    std::string systemName() const;
    std::string activeDirectory() const;
    std::string activePrefix() const;
    std::string activeSuffix() const;
    bool createUserSec() const;
};

const ServerSettings& serverSettings();

/// The login page switches user-security creation off once it has run.
void setCreateUserSec(bool value);

/// Replaces the process-wide values (runStartup() calls it).
void publishServerSettings(const ServerConfig& config);

} // namespace zorv::server
