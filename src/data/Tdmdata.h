#pragma once

#include "data/db/Pools.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace zorv::data {

/// Where the databases of an installation are, read from its configuration:
/// zorvweb.ini [PROGRAM] and [Database], ZorvCent.INI of the Windows folder
/// and aliases.ini.
struct DatabaseLayout {
    std::string driver;                   ///< upper-cased [Database] Type
    std::string user = "zorvuzer";
    std::string password = "mipdrak";
    std::string globalSystemDirectory;    ///< with a trailing "/"
    std::string workGlobalSystemDirectory;
    std::string centralSystemDirectory;
    std::vector<std::pair<std::string, std::string>> databases; ///< alias → path, in creation order
    std::vector<std::pair<std::string, std::string>> configured; ///< aliases.ini [Aliases]

    bool standardDriver() const { return driver == "STANDARD"; }
    /// Reads the layout of the installation whose program folder is home.
    static DatabaseLayout read(const std::filesystem::path& home);
    /// A database path: a server path as it is, a folder of tables as its
    /// database file, a relative path below the program folder.
    std::string resolve(const std::string& value, bool folder) const;
    std::filesystem::path home;
};

/// The application-wide data module: the databases shared by all sessions
/// (as connection pools), the schema corrections, the catalogue checks and
/// the daily reconnection. One instance lives from server start to stop.
class Tdmdata {
public:
    /// Opens the application databases of the installation and brings their
    /// schema up to date. Throws when one of them cannot be reached.
    static std::unique_ptr<Tdmdata> create(const std::filesystem::path& home);
    virtual ~Tdmdata();

    db::Pools& pools() { return pools_; }
    const DatabaseLayout& layout() const { return layout_; }

    /// Names of every database alias (application and "dbZorv…" databases).
    virtual std::vector<std::string> aliasNames() const;
    virtual bool aliasExists(const std::string& alias) const;
    /// Runs sql on the database of alias with a connection of its own; throws on failure.
    virtual void probe(const std::string& alias, const std::string& sql);
    /// Closes idle connections of every database and lets busy ones close when
    /// they are given back; a database that fails is logged and skipped.
    virtual void ReconnectDatabases();

    bool TableExists(const std::string& name, const std::string& alias);
    bool FieldExists(const std::string& alias, const std::string& table, const std::string& column);
    /// Adds a column when it is missing; errors are logged, never raised.
    void AddColumn(const std::string& alias, const std::string& table, const std::string& type,
                   const std::string& column);

    /// Registers the employee database alias "dbZorv" + name on first use
    /// (unless aliases.ini defines it) and runs its connect-time schema
    /// corrections; later calls reuse it. Returns the alias.
    std::string ensureEmployeeDatabase(const std::string& name, const std::string& location);
    /// The correction that runs at every employee database connect, keyed by
    /// the requested database name.
    void runEveryConnectCorrections(const std::string& alias, const std::string& requestedName);

protected:
    Tdmdata() = default; // for test doubles

private:
    explicit Tdmdata(DatabaseLayout layout);
    void openApplicationDatabases();
    void runCreationCorrections();
    void runEmployeeCorrections(const std::string& alias, const std::string& name);

    DatabaseLayout layout_;
    db::Pools pools_;
    std::mutex employeeMutex_;
    std::set<std::string> employeeAliases_; // upper-cased
};

} // namespace zorv::data
