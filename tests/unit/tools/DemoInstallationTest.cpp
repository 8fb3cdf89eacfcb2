#include "InstallationTestSupport.h"
#include "common/Text.h"
#include "TestFolder.h"
#include "data/MainCatalogue.h"
#include "data/Tdmdata.h"
#include "data/db/ResultSet.h"
#include "signin/Passwords.h"
#include "tools/DemoNchd.h"
#include "tools/InstallCommands.h"
#include "tools/SchemaLoader.h"

#include <gtest/gtest.h>
#include <memory>

namespace zorv::admin {
namespace {

namespace fs = std::filesystem;
using test::columnsNamed;
using test::openDatabase;
using test::runCommand;
using test::tablesOf;

const std::vector<std::string> kDemoArgs = {"--employees", "20", "--seed", "1", "--today", "11/06/2025"};
constexpr int kYear = 2025;

struct DatabaseFile {
    const char* file;
    DatabaseKind kind;
};

const DatabaseFile kDatabases[] = {
    {"data/global.fdb", DatabaseKind::Global},         {"data/central.fdb", DatabaseKind::Central},
    {"data/web.fdb", DatabaseKind::Web},               {"data/globalwork.fdb", DatabaseKind::GlobalWork},
    {"data/dblist/tables.fdb", DatabaseKind::LocalList}, {"data/hospital.fdb", DatabaseKind::Employee},
    {"data/council.fdb", DatabaseKind::Employee},
};

/// Two demo installations built with the same options, shared by the tests.
class DemoInstallation : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = std::make_unique<zorv::test::TestFolder>();
        first_ = build("first");
        second_ = build("second");
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static test::CommandRun build(const std::string& name)
    {
        std::vector<std::string> args = {"--home", home(name).string()};
        args.insert(args.end(), kDemoArgs.begin(), kDemoArgs.end());
        return runCommand(runDemo, args);
    }

    static fs::path home(const std::string& name = "first") { return folder_->path() / name / "home"; }

    void SetUp() override
    {
        ASSERT_EQ(first_.code, ExitCode::Ok) << first_.err;
        ASSERT_EQ(second_.code, ExitCode::Ok) << second_.err;
    }

    static inline std::unique_ptr<zorv::test::TestFolder> folder_;
    static inline test::CommandRun first_;
    static inline test::CommandRun second_;
};

TEST_F(DemoInstallation, ServerLayoutFindsEveryDatabase)
{
    const data::DatabaseLayout layout = data::DatabaseLayout::read(home());
    EXPECT_EQ(layout.driver, "INTRBASE");
    std::vector<std::string> aliases;
    for (const auto& [alias, path] : layout.databases) {
        aliases.push_back(alias);
        EXPECT_TRUE(fs::is_regular_file(path)) << alias << ": " << path;
    }
    EXPECT_EQ(aliases, (std::vector<std::string>{"GlobalQuennel", "CentQuennel", "QuennelMain", "VizereDivIdid",
                                                 "Zorv-Localdat"}));
    EXPECT_TRUE(layout.configured.empty());
}

TEST_F(DemoInstallation, DatabaseListNamesBothEmployeeDatabases)
{
    const data::DatabaseLayout layout = data::DatabaseLayout::read(home());
    db::Connection list = openDatabase(home(), "data/dblist/tables.fdb");
    std::vector<std::string> names;
    for (const db::Row& row : list.query("select NAME, LOCATION from DBLIST order by NAME")) {
        names.push_back(row[0].asString());
        EXPECT_TRUE(fs::is_regular_file(layout.resolve(row[1].asString(), false))) << row[1].asString();
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Council", "Hospital"}));
}

TEST_F(DemoInstallation, EachDatabaseHasTheTablesOfItsSchema)
{
    for (const DatabaseFile& database : kDatabases) {
        SCOPED_TRACE(database.file);
        db::Connection connection = openDatabase(home(), database.file);
        const std::vector<std::string> expected = schemaTables(schemaText(database.kind));
        EXPECT_EQ(tablesOf(connection), std::set<std::string>(expected.begin(), expected.end()));
        EXPECT_EQ(connection.dialect(), 3);
    }
}

TEST_F(DemoInstallation, EveryLoginHasAProfileOfThisSystemAndAnEmployeeRecord)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    db::Connection central = openDatabase(home(), "data/central.fdb");
    db::Connection hospital = openDatabase(home(), "data/hospital.fdb");
    const db::ResultSet logins = web.query("select AUSER, ASTAFFNO, APASSWORD, APROFILE, AGROUP, LASTDB from TLOGIN");
    ASSERT_EQ(logins.size(), 7u);
    int selfOnly = 0;
    for (const db::Row& login : logins) {
        const std::string user = login["AUSER"].asString();
        SCOPED_TRACE(user);
        EXPECT_EQ(central.query("select count(*) from USERS where ASYSTEM = ? and CUSERCODE = ?",
                                {"ZorvWork", login["APROFILE"]})
                      .first()[0]
                      .asInt(),
                  1);
        EXPECT_EQ(login["LASTDB"].asString(), "Hospital");
        const db::ResultSet employee = hospital.query("select count(*) from MASTER where STAFFNO = ?",
                                                      {login["ASTAFFNO"]});
        EXPECT_EQ(employee.first()[0].asInt(), 1);
        EXPECT_GT(web.query("select count(*) from TUSERSEC where AUSER = ?", {user}).first()[0].asInt(), 0);
        selfOnly += login["AGROUP"].asString() == "VIEW SELF ONLY" ? 1 : 0;
        // The printed table gives each login with its password (the login
        // name, any case); tLogin holds only its hash.
        const std::string stored = login["APASSWORD"].asString();
        EXPECT_NE(first_.out.find(user + " "), std::string::npos);
        EXPECT_TRUE(signin::isHashedPassword(stored)) << stored;
        EXPECT_TRUE(signin::verifyPassword(stored, toUpper(user)).ok);
        EXPECT_FALSE(signin::verifyPassword(stored, user + "x").ok);
    }
    EXPECT_EQ(selfOnly, 2);
    EXPECT_EQ(central.query("select count(*) from USERS where LADMINISTRATOR = ?", {"TRUE"}).first()[0].asInt(), 1);
}

/// A control or text box of a record screen, in pixels.
struct Box {
    std::string what;
    std::int64_t left;
    std::int64_t top;
    std::int64_t width;
    std::int64_t height;
};

bool overlap(const Box& a, const Box& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST_F(DemoInstallation, RecordScreensShowCaptionedColumnsOfTheirTable)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    db::Connection hospital = openDatabase(home(), "data/hospital.fdb");
    const db::ResultSet screens = web.query("select ITAG, AQUERY, ATABLENAME from TTAGEVTS order by ITAG");
    ASSERT_FALSE(screens.empty());
    for (const db::Row& screen : screens) {
        const std::string table = toUpper(screen["ATABLENAME"].asString());
        SCOPED_TRACE(screen["ITAG"].asString() + " " + table);
        bool known = false;
        for (const data::MainDatasetEntry& entry : data::mainCatalogue())
            known = known || (screen["AQUERY"].asString() == entry.name && entry.updateTable &&
                              toUpper(entry.updateTable) == table);
        EXPECT_TRUE(known) << screen["AQUERY"].asString() << " is no dataset of the main data module on " << table;

        const db::ResultSet fields =
            web.query("select AFIELDNAME from TUSRSCR where ITAG = ? and LVISIBLE = 'TRUE'", {screen["ITAG"]});
        EXPECT_FALSE(fields.empty());
        for (const db::Row& field : fields) {
            const std::string name = toUpper(field[0].asString());
            EXPECT_TRUE(db::fieldExists(hospital, table, name)) << name;
            // The captions are read from the global work database on this system, from the global one elsewhere.
            for (const char* file : {"data/globalwork.fdb", "data/global.fdb"}) {
                db::Connection global = openDatabase(home(), file);
                EXPECT_GE(global
                              .query("select count(*) from LABEL where upper(TABLENAME) = ? and upper(FIELDNAME) = ?",
                                     {table, name})
                              .first()[0]
                              .asInt(),
                          1)
                    << file << ": caption of " << name;
            }
        }
    }
}

TEST_F(DemoInstallation, NoTwoThingsOfAScreenOverlap)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    for (const db::Row& screen : web.query("select ITAG from TTAGEVTS")) {
        SCOPED_TRACE(screen[0].asString());
        std::vector<Box> boxes;
        for (const db::Row& f : web.query("select * from TUSRSCR where ITAG = ?", {screen[0]})) {
            const std::string name = f["AFIELDNAME"].asString();
            if (toUpper(f["LLABELVIS"].asString()) != "FALSE")
                boxes.push_back({"label " + name, f["ILABELLEFT"].asInt(), f["ILABELTOP"].asInt(),
                                 f["ILABELWIDTH"].asInt(), f["ILABELHEIGHT"].asInt()});
            boxes.push_back({"field " + name, f["IDATALEFT"].asInt(), f["IDATATOP"].asInt(), f["IDATAWIDTH"].asInt(),
                             f["IDATAHEIGHT"].asInt()});
        }
        for (const db::Row& r : web.query("select * from TUSRREC where ITAG = ?", {screen[0]}))
            boxes.push_back({"box " + r["ACAPTION"].asString(), r["ILABELLEFT"].asInt(), r["ILABELTOP"].asInt(),
                             r["ILABELWIDTH"].asInt(), r["ILABELHEIGHT"].asInt()});
        ASSERT_GT(boxes.size(), 2u);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_TRUE(boxes[i].width > 0 && boxes[i].height > 0 && boxes[i].left >= 0 && boxes[i].top >= 0)
                << boxes[i].what;
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                EXPECT_FALSE(overlap(boxes[i], boxes[j])) << boxes[i].what << " / " << boxes[j].what;
        }
    }
}

TEST_F(DemoInstallation, ComputedCaptionsRunOnTheEmployeeDatabase)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    db::Connection hospital = openDatabase(home(), "data/hospital.fdb");
    const db::ResultSet boxes = web.query("select ITAG, ACAPTION from TUSRREC where ACAPTION starting with '%SQL%'");
    ASSERT_FALSE(boxes.empty());
    const std::string staffNo = hospital.query("select first 1 STAFFNO from ABSENCE").first()[0].asString();
    for (const db::Row& box : boxes) {
        const std::string caption = box["ACAPTION"].asString();
        SCOPED_TRACE(caption);
        // The server binds the staff number in place of its marker.
        const std::string sql = replaceAll(caption.substr(5), "%STAFFNO%", "?");
        const db::ResultSet result = hospital.query(sql, {staffNo});
        ASSERT_EQ(result.size(), 1u);
        EXPECT_GT(result[0][0].asInt(), 0);
    }
}

TEST_F(DemoInstallation, BarButtonsOpenRegisteredScreensOfTheirProfile)
{
    db::Connection global = openDatabase(home(), "data/global.fdb");
    db::Connection central = openDatabase(home(), "data/central.fdb");
    db::Connection web = openDatabase(home(), "data/web.fdb");
    std::set<std::int64_t> tags;
    for (const db::Row& row : web.query("select ITAG from TTAGEVTS"))
        tags.insert(row[0].asInt());
    ASSERT_TRUE(tags.count(600)) << "the pay history screen";
    for (const db::Row& profile : central.query("select CUSERCODE from USERS")) {
        const std::string code = profile[0].asString();
        SCOPED_TRACE(code);
        for (const db::Row& button : global.query("select * from TBUTTONS where AUSER = ?", {code})) {
            EXPECT_TRUE(tags.count(button["ITAG"].asInt())) << button["ATEXT"].asString();
            const db::ResultSet bars =
                global.query("select count(*) from TBARS where AUSER = ? and IBARNO = ?", {code, button["IBARNO"]});
            EXPECT_EQ(bars.first()[0].asInt(), 1) << button["ATEXT"].asString();
        }
        // Pay history is offered to every profile that may see the table.
        const db::ResultSet pay = global.query("select LVISIBLE from TBUTTONS where AUSER = ? and ITAG = 600", {code});
        ASSERT_EQ(pay.size(), 1u);
        const db::ResultSet right = central.query(
            "select ARIGHTS from TSECTBL where AUSERCODE = ? and upper(ATABLE) = 'PAYHIST'", {code});
        const bool hidden = !right.empty() && right[0][0].asString() == "None";
        EXPECT_EQ(pay[0][0].asString(), hidden ? "FALSE" : "TRUE");
    }
}

TEST_F(DemoInstallation, ManagersGetTimePagesAndSelfServiceOnlyItsOwn)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    const std::vector<std::string> managementScreens = {"Quick Edit", "Turnover", "CreWeek", "Template",
                                                        "Work Schedule", "Signoff", "EWTD"};
    auto rightOf = [&](const std::string& user, const std::string& screen) {
        const db::ResultSet rows =
            web.query("select ARIGHTS from TUSERSEC where AUSER = ? and ASCREEN = ?", {user, screen});
        return rows.empty() ? std::string("No Access") : rows[0][0].asString();
    };
    for (const char* manager : {"admin", "supervisor", "hr"}) {
        int open = 0;
        for (const std::string& screen : managementScreens)
            open += rightOf(manager, screen) != "No Access" ? 1 : 0;
        EXPECT_GT(open, 0) << manager << " gets a Time Report panel";
    }
    for (const char* self : {"employee", "doctor"}) {
        for (const std::string& screen : managementScreens)
            EXPECT_EQ(rightOf(self, screen), "No Access") << self << ' ' << screen;
        EXPECT_NE(rightOf(self, "Hours Entry"), "No Access") << self;
    }
}

TEST_F(DemoInstallation, UniqueCounterIsAboveEveryKeyUsed)
{
    db::Connection global = openDatabase(home(), "data/global.fdb");
    const std::int64_t counter = global.query("select IUNIQUE from SYSNO").first()[0].asInt();
    const std::vector<std::string> keyColumns = {"IKEY", "IAPPRNO", "IESTABNO", "ITIMESNO", "IID", "LOGIN_NUM"};
    std::int64_t highest = 0;
    for (const char* file : {"data/hospital.fdb", "data/council.fdb", "data/web.fdb", "data/globalwork.fdb"}) {
        db::Connection connection = openDatabase(home(), file);
        for (const auto& [table, column] : columnsNamed(connection, keyColumns)) {
            const db::Value top = connection.query("select max(" + column + ") from " + table).first()[0];
            highest = std::max(highest, top.asInt());
        }
    }
    EXPECT_GT(highest, 1000);
    EXPECT_GT(counter, highest);
}

TEST_F(DemoInstallation, EmployeeRecordsBelongToEmployeesOfTheirDatabase)
{
    for (const char* file : {"data/hospital.fdb", "data/council.fdb"}) {
        db::Connection connection = openDatabase(home(), file);
        for (const auto& [table, column] : columnsNamed(connection, {"STAFFNO", "ASUBSTAFFNO"})) {
            const std::int64_t strays =
                connection
                    .query("select count(*) from " + table + " where " + column +
                           " not in (select STAFFNO from MASTER)")
                    .first()[0]
                    .asInt();
            EXPECT_EQ(strays, 0) << file << ' ' << table << '.' << column;
        }
    }
}

TEST_F(DemoInstallation, LeaveBalancesAgreeWithTheAbsencesTaken)
{
    db::Connection hospital = openDatabase(home(), "data/hospital.fdb");
    const db::ResultSet rows = hospital.query(
        "select m.STAFFNO, m.LEAVECF, m.LEAVEALLOWANCE, m.LEAVETAKEN, m.LEAVEREMAINING, "
        "(select coalesce(sum(a.DAYSLOST), 0) from ABSENCE a where a.STAFFNO = m.STAFFNO and a.ACATEGORY = ? "
        "and extract(year from a.STARTDATE) = ?) as BOOKED from MASTER m",
        {"Annual Leave", kYear});
    ASSERT_EQ(rows.size(), 20u);
    for (const db::Row& row : rows) {
        SCOPED_TRACE(row["STAFFNO"].asString());
        EXPECT_DOUBLE_EQ(row["LEAVETAKEN"].asDouble(), row["BOOKED"].asDouble());
        EXPECT_DOUBLE_EQ(row["LEAVEREMAINING"].asDouble(),
                         row["LEAVECF"].asDouble() + row["LEAVEALLOWANCE"].asDouble() - row["LEAVETAKEN"].asDouble());
    }
}

TEST_F(DemoInstallation, HourCodesAreStoredAsSingleWin1252Bytes)
{
    db::Connection web = openDatabase(home(), "data/web.fdb");
    const db::ResultSet rows =
        web.query("select A18, octet_length(A18) from NCHDHRS where A18 = ?", {std::string(kHalfHourOvertime)});
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][0].asString(), "½O");
    EXPECT_EQ(rows[0][1].asInt(), 2);
}

TEST_F(DemoInstallation, SameSeedGivesTheSameInstallation)
{
    for (const DatabaseFile& database : kDatabases) {
        db::Connection a = openDatabase(home("first"), database.file);
        db::Connection b = openDatabase(home("second"), database.file);
        for (const std::string& table : tablesOf(a)) {
            const std::string count = "select count(*) from " + table;
            EXPECT_EQ(a.query(count).first()[0], b.query(count).first()[0]) << database.file << ' ' << table;
        }
    }
    const std::pair<const char*, const char*> kSamples[] = {
        {"data/hospital.fdb", "select * from MASTER order by STAFFNO"},
        {"data/hospital.fdb", "select * from ABSENCE order by STAFFNO, IKEY"},
        {"data/hospital.fdb", "select * from TEMPHRS order by STAFFNO, IKEY"},
        {"data/council.fdb", "select * from TMESHEET order by STAFFNO, ITIMESNO, IKEY"},
        {"data/web.fdb", "select * from NCHDHRS order by STAFFNO, IKEY"},
        {"data/globalwork.fdb", "select * from PAYSIGN order by STAFFNO, IKEY"},
        {"data/global.fdb", "select * from SYSNO"},
    };
    for (const auto& [file, sql] : kSamples) {
        SCOPED_TRACE(sql);
        db::Connection a = openDatabase(home("first"), file);
        db::Connection b = openDatabase(home("second"), file);
        const db::ResultSet rowsA = a.query(sql);
        const db::ResultSet rowsB = b.query(sql);
        ASSERT_FALSE(rowsA.empty());
        ASSERT_EQ(rowsA.size(), rowsB.size());
        for (std::size_t i = 0; i < rowsA.size(); ++i)
            EXPECT_EQ(rowsA[i].values(), rowsB[i].values()) << "row " << i;
    }
}

TEST_F(DemoInstallation, CheckFindsEverythingReachable)
{
    const test::CommandRun check = runCommand(runCheck, {"--home", home().string()});
    EXPECT_EQ(check.code, ExitCode::Ok) << check.out;
    EXPECT_NE(check.out.find("ok      dbZorvHospital"), std::string::npos);
    EXPECT_NE(check.out.find("ok      dbZorvCouncil"), std::string::npos);
}

TEST_F(DemoInstallation, RefusesAFolderThatHoldsAnInstallation)
{
    const test::CommandRun again = build("first");
    EXPECT_EQ(again.code, ExitCode::Failed);
    EXPECT_NE(again.err.find("already holds an installation"), std::string::npos) << again.err;
}

} // namespace
} // namespace zorv::admin
