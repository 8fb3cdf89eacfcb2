#include "tools/InstallationCheck.h"

#include "common/Text.h"
#include "data/Tdmdata.h"
#include "data/db/Connection.h"
#include "tools/InstallationDatabase.h"

#include <unistd.h>

namespace zorv::admin {

namespace fs = std::filesystem;

namespace {

std::string firstLine(const std::string& text)
{
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

bool isServerPath(const std::string& path)
{
    db::ConnectionTarget target;
    target.path = path;
    return target.isRemote();
}

class Checker {
public:
    explicit Checker(data::DatabaseLayout layout) : layout_(std::move(layout)) {}

    /// Checks the database of alias at path (aliases.ini wins); returns an
    /// open connection when it is reachable.
    std::optional<db::Connection> database(const std::string& alias, const std::string& path)
    {
        const std::string effective = databasePath(layout_, alias, path);
        CheckResult& result = results_.emplace_back(CheckResult{alias, effective, {}});
        if (effective.empty()) {
            result.problem = "no database is configured";
            return std::nullopt;
        }
        if (!isServerPath(effective) && !fs::exists(effective)) {
            result.problem = "the database file does not exist";
            return std::nullopt;
        }
        try {
            db::Connection connection = db::Connection::attach({effective, layout_.user, layout_.password});
            connection.query("select count(*) from RDB$RELATIONS");
            return connection;
        } catch (const std::exception& e) {
            result.problem = "cannot be opened: " + firstLine(e.what());
            return std::nullopt;
        }
    }

    void employeeDatabases(db::Connection& list)
    {
        db::ResultSet rows;
        try {
            rows = list.query("select NAME, LOCATION from DBLIST order by NAME");
        } catch (const std::exception& e) {
            results_.push_back({"DBLIST", list.target().path, "cannot be read: " + firstLine(e.what())});
            return;
        }
        if (rows.empty())
            results_.push_back({"DBLIST", list.target().path, "lists no employee database"});
        for (const db::Row& row : rows) {
            const std::string name = trim(row["NAME"].asString());
            database("dbZorv" + name, layout_.resolve(trim(row["LOCATION"].asString()), layout_.standardDriver()));
        }
    }

    /// Checks a folder; writable says the system writes into it.
    void folder(const std::string& name, const std::string& configured, bool writable)
    {
        CheckResult& result = results_.emplace_back(CheckResult{name, configured, {}});
        if (configured.empty()) {
            result.problem = "no folder is configured";
            return;
        }
        fs::path path(configured);
        if (path.is_relative())
            path = layout_.home / path;
        result.path = path.lexically_normal().string();
        if (!fs::is_directory(path))
            result.problem = "the folder does not exist";
        else if (writable && ::access(path.c_str(), W_OK) != 0)
            result.problem = "the folder cannot be written";
    }

    std::vector<CheckResult> take() { return std::move(results_); }

private:
    data::DatabaseLayout layout_;
    std::vector<CheckResult> results_;
};

} // namespace

std::vector<CheckResult> checkInstallation(const fs::path& home)
{
    if (!fs::is_regular_file(home / "zorvweb.ini"))
        return {{"zorvweb.ini", (home / "zorvweb.ini").string(), "the file does not exist"}};
    const data::DatabaseLayout layout = data::DatabaseLayout::read(home);
    Checker checker(layout);
    for (const auto& [alias, path] : layout.databases) {
        std::optional<db::Connection> connection = checker.database(alias, path);
        if (connection && alias == "Zorv-Localdat")
            checker.employeeDatabases(*connection);
    }
    const std::string& global = layout.globalSystemDirectory;
    const std::string& work = layout.workGlobalSystemDirectory;
    const std::string& central = layout.centralSystemDirectory;
    checker.folder("Windows folder", (home / "windows").string(), false);
    checker.folder("global system folder", global, false);
    checker.folder("attachments", global.empty() ? "" : global + "Attach", false);
    checker.folder("work system folder", work, true);
    checker.folder("audit trail", work.empty() ? "" : work + "audit/zorvweb", true);
    checker.folder("time data", work.empty() ? "" : work + "TimeData", true);
    checker.folder("central system folder", central, false);
    checker.folder("e-mail templates", central.empty() ? "" : central + "Emails", false);
    checker.folder("reports", (home / "reports").string(), false);
    checker.folder("csv exports", (home / "csv").string(), true);
    checker.folder("uploads", (home / "files" / "Customer").string(), true);
    return checker.take();
}

} // namespace zorv::admin
