#include "TestInstallation.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "data/db/Connection.h"
#include "server/LogFile.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace zorv::test {

namespace fs = std::filesystem;

namespace {

// The login the program attaches with by default (the owner of every
// database the fixture makes, so it has every right in embedded mode).
const char* const kUser = "zorvuzer";
const char* const kPassword = "mipdrak";

const std::map<std::string, std::string> kApplicationFiles = {
    {"global", "data/global.fdb"},         {"central", "data/central.fdb"},         {"web", "data/web.fdb"},
    {"globalwork", "data/globalwork.fdb"}, {"locallist", "data/dblist/tables.fdb"},
};

/// The statements of a schema file: comments dropped, split at semicolons.
std::vector<std::string> schemaStatements(const std::string& kind)
{
    std::ifstream in(std::string(ZORV_SCHEMA_DIR) + "/" + kind + ".sql");
    if (!in)
        throw std::runtime_error("no schema file for " + kind);
    std::string text;
    for (std::string line; std::getline(in, line);)
        text += line.substr(0, line.find("--")) + "\n";
    std::vector<std::string> statements;
    std::istringstream parts(text);
    for (std::string statement; std::getline(parts, statement, ';');)
        if (statement.find_first_not_of(" \t\r\n") != std::string::npos)
            statements.push_back(statement);
    return statements;
}

/// A database of each kind made once per test process; installations get
/// copies of the files, which is much faster than loading the schema again.
class SchemaTemplates {
public:
    static SchemaTemplates& instance()
    {
        static SchemaTemplates templates;
        return templates;
    }

    void copy(const std::string& kind, const fs::path& to)
    {
        std::lock_guard lock(mutex_);
        const fs::path file = folder_.path() / (kind + ".fdb");
        if (!fs::exists(file)) {
            {
                db::Connection connection = db::createDatabase(db::ConnectionTarget{file.string(), kUser, kPassword});
                for (const std::string& statement : schemaStatements(kind))
                    connection.execute(statement);
            }
            // Commits need not reach the disk in tests; with forced writes
            // every commit waits for it, which makes the busy tests crawl.
            const std::string asyncWrites =
                "gfix -write async -user " + std::string(kUser) + " '" + file.string() + "'";
            if (std::system(asyncWrites.c_str()) != 0)
                throw std::runtime_error("failed: " + asyncWrites);
        }
        fs::create_directories(to.parent_path());
        fs::copy_file(file, to, fs::copy_options::overwrite_existing);
    }

private:
    std::mutex mutex_;
    TestFolder folder_;
};

void writeIni(const std::string& file, const std::vector<std::array<std::string, 3>>& values)
{
    Ini ini(file);
    for (const auto& [section, key, value] : values)
        ini.writeString(section, key, value);
}

} // namespace

TestInstallation::TestInstallation(const std::vector<std::string>& employeeDatabases)
{
    for (const char* folder : {"windows", "data/global", "data/work", "data/central", "data/local"})
        fs::create_directories(home() / folder);
    writeIni(path("zorvweb.ini"), {
                                      {"Database", "Type", "INTRBASE"},
                                      {"PROGRAM", "GlobalSystemFile", "data/global.fdb"},
                                      {"PROGRAM", "GlobalSystemDirectory", "data/global/"},
                                      {"PROGRAM", "webFile", "data/web.fdb"},
                                      {"PROGRAM", "WorkGlobalSystemFile", "data/globalwork.fdb"},
                                      {"PROGRAM", "WorkGlobalSystemDirectory", "data/work/"},
                                      {"PROGRAM", "DBListDirectory", "data/"},
                                      {"PROGRAM", "LocalDataDirectory", "data/local/"},
                                  });
    writeIni(path("windows/ZorvCent.INI"), {
                                               {"PROGRAM", "GlobalSystemFile", "data/central.fdb"},
                                               {"PROGRAM", "GlobalSystemDirectory", "data/central/"},
                                           });
    for (const auto& [kind, file] : kApplicationFiles)
        SchemaTemplates::instance().copy(kind, path(file));
    run(databaseFile("global"), {"insert into SYSNO (IUNIQUE, STAFFNO) values (0, 0)"});
    for (const std::string& name : employeeDatabases) {
        const std::string file = createEmployeeDatabase(name);
        attach(databaseFile("locallist")).execute("insert into DBLIST (NAME, LOCATION) values (?, ?)", {name, file});
    }
}

TestInstallation::~TestInstallation() = default;

std::string TestInstallation::databaseFile(const std::string& kind) const { return path(kApplicationFiles.at(kind)); }

data::Tdmdata& TestInstallation::open()
{
    setProgramFolder(home());
    data_ = data::Tdmdata::create(home());
    return *data_;
}

db::Connection TestInstallation::attach(const std::string& file) const
{
    return db::Connection::attach(db::ConnectionTarget{file, kUser, kPassword});
}

std::string TestInstallation::createEmployeeDatabase(const std::string& name) const
{
    const std::string file = path("data/" + name + ".fdb");
    SchemaTemplates::instance().copy("employee", file);
    return file;
}

void TestInstallation::run(const std::string& file, const std::vector<std::string>& statements) const
{
    db::Connection connection = attach(file);
    for (const std::string& statement : statements)
        connection.execute(statement);
}

TestSession::TestSession(TestInstallation& installation)
    : connections([&installation]() -> db::Pools* { return &installation.data().pools(); })
{
    data::DataContext context{[&installation] { return &installation.data(); }, &connections, &view};
    dmMain = std::make_unique<data::TdmMain>(context);
    dmWork = std::make_unique<data::TdmWork>(context);
    dmEmpCom = std::make_unique<data::TdmEmpCom>(context);
    dmEmpDts = std::make_unique<data::TdmEmpDts>(context);
    dmGlobal = std::make_unique<data::TdmGlobal>(context);
    data::linkSessionModules(*dmMain, *dmWork, *dmEmpCom, *dmEmpDts, *dmGlobal);
}

TestSession::~TestSession() { connections.releaseAll(); }

ConnectedSessionTest::ConnectedSessionTest()
{
    installation.open();
    session = std::make_unique<TestSession>(installation);
    session->dmMain->ConnectEmployeeDatabase("Hospital");
}

std::vector<std::string> ConnectedSessionTest::auditLines(const TLogFile& log)
{
    if (!fs::exists(log.logFileName()))
        return {};
    bool whole = false;
    std::vector<std::string> lines = readAuditFile(log.logFileName(), whole);
    EXPECT_TRUE(whole);
    return lines;
}

} // namespace zorv::test
