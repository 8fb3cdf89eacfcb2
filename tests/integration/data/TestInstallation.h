#pragma once

#include "TestFolder.h"
#include "data/DataModules.h"
#include "data/RequestConnections.h"
#include "data/SessionModules.h"
#include "data/SessionView.h"
#include "data/Tdmdata.h"
#include "data/db/PooledConnection.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zorv::test {

/// An installation in a temporary folder, laid out as docs/installation.md
/// shows: zorvweb.ini ([Database] Type=INTRBASE and the [PROGRAM] keys),
/// windows/ZorvCent.INI, the five application databases and one employee
/// database per name given, each made from db/schema, and a DBLIST row for
/// each employee database. open() then starts the application data module
/// on it, as the server does.
class TestInstallation {
public:
    explicit TestInstallation(const std::vector<std::string>& employeeDatabases = {"Hospital"});
    ~TestInstallation();

    const std::filesystem::path& home() const { return folder_.path(); }
    /// A path below the installation home.
    std::string path(const std::string& relative) const { return (home() / relative).string(); }
    /// The database file of an application database ("web", "global", …).
    std::string databaseFile(const std::string& kind) const;

    /// Makes home the program folder and creates the application data module.
    data::Tdmdata& open();
    data::Tdmdata& data() { return *data_; }

    /// A connection to a database file of the installation, as the program
    /// attaches to it.
    db::Connection attach(const std::string& file) const;
    /// Creates an employee database file (data/<name>.fdb) without listing it.
    std::string createEmployeeDatabase(const std::string& name) const;
    /// Runs statements on a database file (before open(), to make it "old").
    void run(const std::string& file, const std::vector<std::string>& statements) const;

private:
    TestFolder folder_;
    std::unique_ptr<data::Tdmdata> data_;
};

/// The session side the data modules see; messages shown are recorded.
class FakeSession : public data::SessionView {
public:
    std::string user = "ann";
    std::string profileName = "HR";
    std::string languageCode = "EN";
    std::string database;
    std::string security;
    std::string groupName;
    std::string ownStaffNo;
    std::vector<std::string> messages;

    const std::string& userName() const override { return user; }
    const std::string& profile() const override { return profileName; }
    const std::string& language() const override { return languageCode; }
    const std::string& databaseName() const override { return database; }
    const std::string& securityCode() const override { return security; }
    const std::string& group() const override { return groupName; }
    const std::string& staffNo() const override { return ownStaffNo; }
    void setDatabaseName(const std::string& name) override { database = name; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
};

/// The five data modules of one session on an installation, linked as the
/// user session links them; the request's connections stay borrowed until
/// the session goes.
class TestSession {
public:
    explicit TestSession(TestInstallation& installation);
    ~TestSession();

    FakeSession view;
    data::RequestConnections connections;
    std::unique_ptr<data::TdmMain> dmMain;
    std::unique_ptr<data::TdmWork> dmWork;
    std::unique_ptr<data::TdmEmpCom> dmEmpCom;
    std::unique_ptr<data::TdmEmpDts> dmEmpDts;
    std::unique_ptr<data::TdmGlobal> dmGlobal;
};

/// A test with an opened installation holding the employee databases
/// Hospital and Council, and one session connected to Hospital.
class ConnectedSessionTest : public ::testing::Test {
protected:
    ConnectedSessionTest();

    /// A connection of its own to the database of alias.
    db::PooledConnection database(const std::string& alias) { return installation.data().pools().borrow(alias); }
    db::PooledConnection hospital() { return database("dbZorvHospital"); }
    /// The lines the session's audit log flushed so far.
    static std::vector<std::string> auditLines(const TLogFile& log);

    TestInstallation installation{{"Hospital", "Council"}};
    std::unique_ptr<TestSession> session;
    data::TdmMain& dmMain() { return *session->dmMain; }
};

} // namespace zorv::test
