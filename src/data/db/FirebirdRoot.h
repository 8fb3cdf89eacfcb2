#pragma once

#include <filesystem>
#include <string_view>

namespace zorv::db {

/// The private Firebird root of this process. The installed root runs the
/// embedded engine in "Super" mode, which locks a database file against every
/// other process; ours runs it in SuperClassic mode, so the server, isql-fb and
/// the admin tools can open the same files while we hold them, provided they
/// use the same root and lock folder (FIREBIRD, FIREBIRD_LOCK).
class FirebirdRoot {
public:
    /// Where the Debian packages install the client and the engine.
    static constexpr std::string_view kInstalledRoot = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

    /// Creates or brings up to date a root folder: a symbolic link to every
    /// entry of the installed root except firebird.conf and intl, an intl
    /// folder holding a copy of the character-set module (the engine refuses to
    /// load it through a link out of the root, and WIN1252 goes missing), and
    /// a firebird.conf with "ServerMode = SuperClassic" followed by
    /// extraSettings (one setting a line). Real files an operator placed in the
    /// folder are left alone. Safe to run while other processes use the
    /// folder. Touches no environment variable. Throws std::runtime_error.
    static void build(const std::filesystem::path& rootDir, std::string_view extraSettings = {});

    /// Builds rootDir, creates lockDir (mode 0700; an existing folder loses any
    /// access for others) and sets FIREBIRD and FIREBIRD_LOCK, which the client
    /// library reads once, when first used. Call once per process at start-up,
    /// before any other thread runs and before the first Connection: attaching
    /// without it throws std::logic_error. A second call with the same folders
    /// does nothing; with other folders it throws std::logic_error.
    static void prepare(const std::filesystem::path& rootDir, const std::filesystem::path& lockDir);

    static bool isPrepared();

    /// Detaches every remaining attachment and stops the embedded engine's
    /// threads. Call at process exit, after every Connection is gone.
    static void shutdown();
};

} // namespace zorv::db
