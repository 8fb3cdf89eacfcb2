#include "data/Tdmdata.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/SchemaCorrections.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "server/ErrorLog.h"

#include <filesystem>

namespace zorv::data {

namespace fs = std::filesystem;

namespace {
constexpr const char* kReconnectError = "Error-Unable to connect DB Session Manager";

std::string withSlash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    return dir;
}

bool isServerPath(const std::string& path)
{
    return path.find(':') != std::string::npos && !path.empty() && path[0] != '/';
}
} // namespace

std::string DatabaseLayout::resolve(const std::string& value, bool folder) const
{
    if (value.empty() || isServerPath(value))
        return value;
    fs::path p(value);
    if (p.is_relative())
        p = home / p;
    if (folder)
        p /= "tables.fdb";
    return p.lexically_normal().string();
}

DatabaseLayout DatabaseLayout::read(const fs::path& home)
{
    DatabaseLayout l;
    l.home = home;
    Ini zorvweb((home / "zorvweb.ini").string());
    Ini windows((home / "windows" / "ZorvCent.INI").string());
    l.driver = toUpper(trim(zorvweb.readString("Database", "Type", "")));
    l.user = zorvweb.readString("Database", "User", l.user);
    l.password = zorvweb.readString("Database", "Password", l.password);
    l.globalSystemDirectory = withSlash(zorvweb.readString("PROGRAM", "GlobalSystemDirectory", ""));
    l.workGlobalSystemDirectory = withSlash(zorvweb.readString("PROGRAM", "WorkGlobalSystemDirectory", ""));
    l.centralSystemDirectory = withSlash(windows.readString("PROGRAM", "GlobalSystemDirectory", ""));

    Ini aliases((home / "aliases.ini").string());
    for (const auto& key : aliases.keys("Aliases"))
        l.configured.emplace_back(key, aliases.readString("Aliases", key, ""));

    const bool standard = l.standardDriver();
    auto pick = [&](const std::string& file, const std::string& dir) { return standard ? dir : file; };
    l.databases.emplace_back("GlobalQuennel", l.resolve(pick(zorvweb.readString("PROGRAM", "GlobalSystemFile", ""),
                                                              l.globalSystemDirectory),
                                                         standard));
    l.databases.emplace_back("CentQuennel", l.resolve(pick(windows.readString("PROGRAM", "GlobalSystemFile", ""),
                                                            l.centralSystemDirectory),
                                                       standard));
    std::string web = zorvweb.readString("PROGRAM", "webFile", "");
    l.databases.emplace_back("QuennelMain", l.resolve(web, standard));
    std::string work = zorvweb.readString("PROGRAM", "WorkGlobalSystemFile", "");
    if (!work.empty())
        l.databases.emplace_back("VizereDivIdid", l.resolve(pick(work, l.workGlobalSystemDirectory), standard));

    // The database list: DBListDirectory + "dblist/", else LocalDataDirectory.
    std::string listDir = withSlash(zorvweb.readString("PROGRAM", "DBListDirectory", "")) + "dblist/";
    std::string list = l.resolve(listDir, true);
    if (!fs::exists(list))
        list = l.resolve(withSlash(zorvweb.readString("PROGRAM", "LocalDataDirectory", "")), true);
    l.databases.emplace_back("Zorv-Localdat", list);
    return l;
}

Tdmdata::Tdmdata(DatabaseLayout layout) : layout_(std::move(layout)) {}

Tdmdata::~Tdmdata() = default;

std::unique_ptr<Tdmdata> Tdmdata::create(const fs::path& home)
{
    std::unique_ptr<Tdmdata> module(new Tdmdata(DatabaseLayout::read(home)));
    module->openApplicationDatabases();
    module->runCreationCorrections();
    return module;
}

void Tdmdata::openApplicationDatabases()
{
    auto target = [&](const std::string& path) { return db::ConnectionTarget{path, layout_.user, layout_.password}; };
    for (const auto& [alias, path] : layout_.configured)
        pools_.add(alias, target(layout_.resolve(path, false)));
    for (const auto& [alias, path] : layout_.databases) {
        if (pools_.contains(alias))
            continue; // the installation's own alias configuration wins
        if (path.empty())
            throw std::runtime_error("No database is configured for " + alias + ".");
        pools_.add(alias, target(path));
    }
    // Connecting each one now makes an unreachable database fail the start.
    for (const auto& [alias, path] : layout_.databases)
        pools_.borrow(alias);
}

void Tdmdata::runCreationCorrections()
{
    Ini zorvweb(zorvwebIniPath());
    SchemaCorrections corrections(*this, zorvweb);
    corrections.runAtCreation();
}

std::vector<std::string> Tdmdata::aliasNames() const { return pools_.aliases(); }

bool Tdmdata::aliasExists(const std::string& alias) const { return pools_.contains(alias); }

void Tdmdata::probe(const std::string& alias, const std::string& sql)
{
    // A connection of its own: the probe must not disturb the pools.
    db::ConnectionTarget target = pools_.pool(alias)->target();
    db::Connection connection = db::Connection::attach(target);
    connection.query(sql);
}

void Tdmdata::ReconnectDatabases()
{
    for (const auto& alias : pools_.aliases()) {
        try {
            pools_.pool(alias)->recycle();
            pools_.borrow(alias);
        } catch (const std::exception& e) {
            logError(kReconnectError, e.what());
        }
    }
}

bool Tdmdata::TableExists(const std::string& name, const std::string& alias)
{
    auto connection = pools_.borrow(alias);
    return db::tableExists(*connection, name);
}

bool Tdmdata::FieldExists(const std::string& alias, const std::string& table, const std::string& column)
{
    auto connection = pools_.borrow(alias);
    return db::fieldExists(*connection, table, column);
}

void Tdmdata::AddColumn(const std::string& alias, const std::string& table, const std::string& type,
                        const std::string& column)
{
    try {
        if (!db::isValidIdentifier(table) || !db::isValidIdentifier(column))
            throw std::invalid_argument("not a column name: " + table + "." + column);
        auto connection = pools_.borrow(alias);
        if (!db::fieldExists(*connection, table, column))
            connection->execute("alter table " + table + " add " + column + " " + type);
    } catch (const std::exception& e) {
        logError("Error", e.what());
    }
}

std::string Tdmdata::ensureEmployeeDatabase(const std::string& name, const std::string& location)
{
    const std::string alias = "dbZorv" + name;
    std::lock_guard lock(employeeMutex_);
    if (employeeAliases_.count(toUpper(alias)))
        return alias;
    if (!pools_.contains(alias))
        pools_.add(alias, db::ConnectionTarget{layout_.resolve(location, layout_.standardDriver()), layout_.user,
                                             layout_.password});
    pools_.borrow(alias);
    runEmployeeCorrections(alias, name);
    employeeAliases_.insert(toUpper(alias));
    return alias;
}

void Tdmdata::runEveryConnectCorrections(const std::string& alias, const std::string& requestedName)
{
    Ini zorvweb(zorvwebIniPath());
    SchemaCorrections corrections(*this, zorvweb);
    corrections.runAtEveryEmployeeConnect(alias, requestedName);
}

void Tdmdata::runEmployeeCorrections(const std::string& alias, const std::string& name)
{
    Ini zorvweb(zorvwebIniPath());
    SchemaCorrections corrections(*this, zorvweb);
    corrections.runAtEmployeeConnect(alias, name);
}

} // namespace zorv::data
