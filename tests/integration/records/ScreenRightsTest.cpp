// Table and field rights of a record screen on real rights tables, and what
// the rewritten statements read and write.

#include "ScreenFixture.h"

#include "data/ApplyWithAudit.h"
#include "data/Dataset.h"
#include "data/TdmMain.h"
#include "web/controls/Button.h"
#include "web/controls/Edit.h"
#include "web/controls/Label.h"
#include "web/controls/Region.h"

#include <gtest/gtest.h>

namespace zorv::records {
namespace {

constexpr int kPayTag = 600;
constexpr const char* kDenied = "You may not see this screen.";

class ScreenRightsTest : public test::ScreenTest {
protected:
    ScreenRightsTest()
    {
        global.execute("insert into MESSAGES (IKEY, MESSAGEEN) values (903, ?)", {kDenied});
        reference.execute("insert into TABLES (TABLENAME, DATASET) values ('PayHist', 'qryEmpPay')");
        addLayout(kPayTag, {{"FROMDATE", "DATE", 160, 10},
                            {"NPAY", "EDIT BOX", 160, 40},
                            {"HOURLYRATE", "EDIT BOX", 160, 70},
                            {"PAYBASIS", "EDIT BOX", 160, 100},
                            {"AGRADE", "MEMO", 160, 130},
                            {"DTODATE", "DATE", 160, 160}});
        // DTODATE has no LABEL row.
        for (const char* field : {"FROMDATE", "NPAY", "HOURLYRATE", "PAYBASIS", "AGRADE"})
            addLabel("PAYHIST", field, field);
        // A LABEL row that is no column of the table is never composed into a statement.
        addLabel("PAYHIST", "NPAY from PAYHIST --", "Forged");
        addEmployee("S1", "Byrne");
        addEmployee("S2", "Casey");
        const char* pay = "insert into PAYHIST (STAFFNO, IKEY, FROMDATE, NPAY, HOURLYRATE, PAYBASIS, AGRADE) "
                          "values (?, ?, '2024-01-01', ?, 20, 'Hourly', 'G1')";
        employee.execute(pay, {"S1", 1, 1000});
        employee.execute(pay, {"S1", 2, 2000});
        employee.execute(pay, {"S2", 1, 3000});
    }

    void tableRight(const std::string& rights)
    {
        // Stored in another case than the session's "clerk": codes and tables compare in upper case.
        central.execute("insert into TSECTBL (AUSERCODE, ATABLE, ARIGHTS) values ('Clerk', 'payhist', ?)", {rights});
    }
    void fieldRight(const std::string& field, const std::string& rights)
    {
        central.execute("insert into TSECFLD (AUSERCODE, ATABLE, AFIELD, ARIGHTS) values ('CLERK', 'PAYHIST', ?, ?)",
                        {field, rights});
    }
    data::Dataset& pay() { return dataset("qryEmpPay"); }
    db::ResultSet payRow(const std::string& staffNo, int key)
    {
        return employee.query("select NPAY, HOURLYRATE, PAYBASIS, AGRADE from PAYHIST where STAFFNO = ? and IKEY = ?",
                              {staffNo, key});
    }
    void save(data::Dataset& set)
    {
        data::ApplyWithAudit(user.dmMain->connection(user.dmMain->employeeAlias()), {&set}, user.dmMain->wcLogFile);
    }
};

struct TableRightCase {
    const char* name;
    std::vector<const char*> rows; // tSecTbl rows for the table
    bool addSuppressed;
    bool editSuppressed;
    bool deleteSuppressed;
    bool saveShown;
};

TEST_F(ScreenRightsTest, TheTableRightDecidesTheRecordButtons)
{
    const TableRightCase cases[] = {
        {"no row", {}, false, false, false, true},
        {"Full", {"Full"}, false, false, false, true},
        {"Update Only", {"Update Only"}, true, false, true, true},
        {"Data Entry", {"Data Entry"}, false, false, true, true},
        {"Read Only", {"Read Only"}, true, true, true, false},
        {"two rows: partial", {"Full", "Read Only"}, false, false, false, true},
    };
    for (const TableRightCase& c : cases) {
        SCOPED_TRACE(c.name);
        central.execute("delete from TSECTBL");
        for (const char* rights : c.rows)
            tableRight(rights);
        for (web::Control* button : {page->cmdAdd, page->cmdEdit, page->cmdDelete, page->cmdSave}) {
            button->setTag(0);
            button->setVisible(true);
        }

        EXPECT_TRUE(showScreen("PAYHIST", kPayTag, pay()));
        EXPECT_EQ(page->cmdAdd->tag() == kTagSuppressed, c.addSuppressed);
        EXPECT_EQ(page->cmdEdit->tag() == kTagSuppressed, c.editSuppressed);
        EXPECT_EQ(page->cmdDelete->tag() == kTagSuppressed, c.deleteSuppressed);
        EXPECT_EQ(page->cmdSave->visible(), c.saveShown);
        EXPECT_TRUE(page->regedit->visible());
    }
    EXPECT_TRUE(session.pendingMessages().empty());
}

TEST_F(ScreenRightsTest, ATableRightOfNoneShowsOnlyMessage903)
{
    tableRight("None");
    EXPECT_FALSE(showScreen("PAYHIST", kPayTag, pay()));
    ASSERT_EQ(session.pendingMessages().size(), 1u);
    EXPECT_EQ(session.pendingMessages().front(), kDenied);
    EXPECT_FALSE(page->regedit->visible());
    EXPECT_FALSE(page->imgBrowse->visible());
    EXPECT_FALSE(page->imgEdit->visible());
    for (web::Control* button : {page->cmdAdd, page->cmdEdit, page->cmdDelete})
        EXPECT_EQ(button->tag(), kTagSuppressed);
    EXPECT_EQ(control<web::Control>("RMVEDTNPAY"), nullptr) << "nothing of the screen stays on the page";

    // The next screen the user may see shows the region again.
    central.execute("delete from TSECTBL");
    EXPECT_TRUE(showScreen("PAYHIST", kPayTag, pay()));
    EXPECT_TRUE(page->regedit->visible());
    EXPECT_TRUE(page->imgEdit->visible());
}

TEST_F(ScreenRightsTest, HiddenFieldsAreNeitherReadNorWrittenAndReadOnlyOnesNeverWritten)
{
    tableRight("Data Entry");
    fieldRight("npay", "None");
    fieldRight("HOURLYRATE", "Read Only");
    fieldRight("PAYBASIS", "FULL");
    // Rights on the keys do not take them out of the statements.
    fieldRight("IKEY", "None");
    fieldRight("STAFFNO", "Read Only");
    ASSERT_TRUE(showScreen("PAYHIST", kPayTag, pay()));

    const FieldControl* hidden = screen->fieldControl("NPAY");
    EXPECT_FALSE(hidden->bound);
    EXPECT_EQ(hidden->control->tag(), kTagFixedField);
    EXPECT_EQ(hidden->control->backgroundColor(), "#c0c0c0");
    EXPECT_FALSE(hidden->label->visible());
    const FieldControl* fixed = screen->fieldControl("HOURLYRATE");
    EXPECT_EQ(fixed->control->tag(), kTagFixedField);
    EXPECT_EQ(fixed->control->backgroundColor(), "#ffff00");
    EXPECT_EQ(screen->fieldControl("PAYBASIS")->control->tag(), kTagEditable);

    openFor(pay(), "S1");
    EXPECT_FALSE(pay().hasField("NPAY"));
    for (const char* kept : {"HOURLYRATE", "PAYBASIS", "STAFFNO", "IKEY", "FROMDATE", "AGRADE", "DTODATE"})
        EXPECT_TRUE(pay().hasField(kept)) << kept;
    screen->showRecord(pay());
    EXPECT_EQ(dynamic_cast<web::Edit*>(hidden->control)->text(), "");

    // Edit the second row of S1: only its permitted fields reach the database.
    ASSERT_TRUE(pay().locate({{"IKEY", 2}}));
    screen->makeEditable();
    EXPECT_FALSE(hidden->control->visible());
    EXPECT_TRUE(dynamic_cast<web::Edit*>(fixed->control)->readOnly());
    dynamic_cast<web::Edit*>(screen->fieldControl("PAYBASIS")->control)->setText("Salary");
    pay().edit();
    screen->storeRecord(pay());
    pay().setField("HOURLYRATE", 99); // even when code changes it
    save(pay());

    const db::ResultSet edited = payRow("S1", 2);
    EXPECT_EQ(edited[0]["PAYBASIS"].asString(), "Salary");
    EXPECT_EQ(edited[0]["HOURLYRATE"].asInt(), 20);
    EXPECT_EQ(edited[0]["NPAY"].asInt(), 2000);
    for (auto [staffNo, key] : {std::pair{"S1", 1}, std::pair{"S2", 1}})
        EXPECT_EQ(payRow(staffNo, key)[0]["PAYBASIS"].asString(), "Hourly") << staffNo << key;

    // A new row gets its keys and staff number, and nothing hidden or read-only.
    pay().append();
    pay().setField("STAFFNO", "S1");
    pay().setField("IKEY", 3);
    pay().setField("PAYBASIS", "Daily");
    pay().setField("HOURLYRATE", 55);
    save(pay());
    const db::ResultSet inserted = payRow("S1", 3);
    ASSERT_EQ(inserted.size(), 1u);
    EXPECT_EQ(inserted[0]["PAYBASIS"].asString(), "Daily");
    EXPECT_TRUE(inserted[0]["HOURLYRATE"].isNull());

    // A modify never moves a row to another key or employee.
    ASSERT_TRUE(pay().locate({{"IKEY", 1}}));
    pay().edit();
    pay().setField("STAFFNO", "S2");
    EXPECT_ANY_THROW(save(pay()));
    pay().cancelUpdates();
    EXPECT_EQ(payRow("S1", 1).size(), 1u);
}

TEST_F(ScreenRightsTest, FullRightsAgainRestoreTheWholeStatement)
{
    tableRight("Data Entry");
    fieldRight("NPAY", "None");
    ASSERT_TRUE(showScreen("PAYHIST", kPayTag, pay()));
    openFor(pay(), "S1");
    ASSERT_FALSE(pay().hasField("NPAY"));

    central.execute("delete from TSECTBL");
    ASSERT_TRUE(showScreen("PAYHIST", kPayTag, pay()));
    openFor(pay(), "S1");
    EXPECT_TRUE(pay().hasField("NPAY"));
    EXPECT_TRUE(screen->fieldControl("NPAY")->bound);
    ASSERT_TRUE(pay().locate({{"IKEY", 1}}));
    pay().edit();
    pay().setField("NPAY", 1500);
    save(pay());
    EXPECT_EQ(payRow("S1", 1)[0]["NPAY"].asInt(), 1500);
}

TEST_F(ScreenRightsTest, TheEmployeeSetReadsOnlyTheFieldsTheUserMaySee)
{
    central.execute("insert into TSECTBL (AUSERCODE, ATABLE, ARIGHTS) values ('CLERK', 'MASTER', 'Update Only')");
    central.execute(
        "insert into TSECFLD (AUSERCODE, ATABLE, AFIELD, ARIGHTS) values ('CLERK', 'MASTER', 'DOB', 'None')");
    for (const char* field : {"SURNAME", "FORENAMES", "DOB"})
        addLabel("MASTER", field, field);
    reference.execute("insert into TABLES (TABLENAME, DATASET) values ('Master', 'qryEmpDts')");
    data::Dataset& employees = dataset("qryEmpDts");
    ASSERT_TRUE(showScreen("MASTER", 590, employees, true));
    const std::string select = screen->employeeSelect();
    EXPECT_EQ(select.find("DOB"), std::string::npos) << select;
    EXPECT_NE(select.find("STAFFNO"), std::string::npos) << select;

    user.dmMain->open(employees);
    EXPECT_FALSE(employees.hasField("DOB"));
    EXPECT_TRUE(employees.hasField("SURNAME"));
    EXPECT_EQ(employees.recordCount(), 2u) << "the record visibility still applies";
}

} // namespace
} // namespace zorv::records
