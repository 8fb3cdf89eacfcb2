// The operations of the main data module that pages call.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"

#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::ConnectedSessionTest;

class TdmMainOperationsTest : public ConnectedSessionTest {
protected:
    Ini zorvweb{installation.path("zorvweb.ini")};
    Ini global{installation.path("data/global/global.ini")};
    std::vector<std::string>& shown() { return session->view.messages; }
};

TEST_F(TdmMainOperationsTest, PostNameAndAgeAreFilledOnTheMasterRow)
{
    hospital()->execute("insert into MASTER (STAFFNO, ATITLE, FORENAMES, SURNAME, DOB) "
                        "values ('S1', 'Dr', 'Mary Ann', 'Byrne', '1980-06-15')");
    Dataset& master = dmMain().dataset("qryEmpDts");
    dmMain().open(master);
    master.edit();
    dmMain().FillPostName(master);
    EXPECT_EQ(master.fieldText("POSTNAME"), "Dr M A Byrne");
    dmMain().FillAge(master, Date{2024, 6, 14});
    EXPECT_EQ(master.field("AGE").asInt(), 43);
    dmMain().FillAge(master, Date{2024, 6, 15});
    EXPECT_EQ(master.field("AGE").asInt(), 44);
    dmMain().setClock([] { return DateTime{Date{2030, 1, 1}}; });
    dmMain().FillAge(master);
    EXPECT_EQ(master.field("AGE").asInt(), 49);
    master.setField("DOB", db::Value());
    dmMain().FillAge(master);
    EXPECT_TRUE(master.field("AGE").isNull());
}

TEST_F(TdmMainOperationsTest, NewStaffNumbersArePaddedAndSkipThoseInUse)
{
    EXPECT_EQ(dmMain().NewStaffNo("StaffNo"), "") << "generating is off by default";

    global.writeBool("StaffNo", "GenerateStaffNo", true);
    auto hr = database("GlobalQuennel");
    hr->execute("update SYSNO set STAFFNO = 6");
    hr->execute("insert into T_HRLNK (STAFFNO) values ('008')");
    EXPECT_EQ(dmMain().NewStaffNo("StaffNo"), "007");
    EXPECT_EQ(dmMain().NewStaffNo("StaffNo"), "009");
    hr->execute("update SYSNO set STAFFNO = 1233");
    EXPECT_EQ(dmMain().NewStaffNo("StaffNo"), "1234");
    global.writeInteger("StaffNo", "StaffNoPadding", 6);
    EXPECT_EQ(dmMain().NewStaffNo("StaffNo"), "001235");
    EXPECT_THROW(dmMain().NewStaffNo("StaffNo; drop table SYSNO"), db::DatabaseError);
}

TEST_F(TdmMainOperationsTest, HrLinkIsSavedUnderItsStaffNumberWhateverTheCase)
{
    session->view.database = "Hospital";
    EXPECT_FALSE(dmMain().HrLinkExists("H1"));
    dmMain().SaveHrLink({"H1", "Mary Byrne", "Mary", "Byrne", "F", Date{1980, 6, 15}});
    EXPECT_TRUE(dmMain().HrLinkExists("H1"));
    dmMain().SaveHrLink({"h1", "Mary Burns", "Mary", "Burns", "F", std::nullopt});
    auto rows = database("GlobalQuennel")->query("select STAFFNO, ASURNAME, ADATABASE, DDOB from T_HRLNK");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["STAFFNO"].asString(), "H1");
    EXPECT_EQ(rows[0]["ASURNAME"].asString(), "Burns");
    EXPECT_EQ(rows[0]["ADATABASE"].asString(), "Hospital");
    EXPECT_TRUE(rows[0]["DDOB"].isNull());

    EXPECT_TRUE(dmMain().StaffNoFree("S9"));
    hospital()->execute("insert into MASTER (STAFFNO) values ('S9')");
    EXPECT_FALSE(dmMain().StaffNoFree("S9"));
}

TEST_F(TdmMainOperationsTest, SchemesAndLeaveYearComeFromTheGlobalTables)
{
    auto hr = database("GlobalQuennel");
    hr->execute("drop table TCMPHSCH");
    EXPECT_EQ(dmMain().DefaultSchemeId(), 0) << "an error gives no scheme";
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_NE(shown()[0].find("TCMPHSCH"), std::string::npos) << shown()[0];
    hr->execute("create table TCMPHSCH (ISCHEMEID integer, ASCHEME varchar(100), LDEFAULTSCHEME varchar(5))");

    EXPECT_EQ(dmMain().DefaultSchemeId(), 0);
    hr->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, LDEFAULTSCHEME) values (2, 'Nurses', 'False')");
    hr->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, LDEFAULTSCHEME) values (3, 'Doctors', 'true')");
    EXPECT_EQ(dmMain().DefaultSchemeId(), 3);
    EXPECT_EQ(dmMain().SchemeName(2), "Nurses");
    EXPECT_EQ(dmMain().SchemeName(99), "");

    hr->execute("insert into PARAMS (CURRENTLEAVEYEAR, LEAVEYEARSTARTMONTH, LEAVEYEARSTARTDAY, LEAVEYEARENDDATE) "
                "values (2024, 4, 1, '2025-03-31')");
    EXPECT_EQ(dmMain().LeaveYearStart(), (Date{2024, 4, 1}));
    EXPECT_EQ(dmMain().LeaveYearEnd(), (Date{2025, 3, 31}));
}

TEST_F(TdmMainOperationsTest, MasterSortFromConfigurationIsUsedOnlyWhenItNamesMasterColumns)
{
    auto emp = hospital();
    emp->execute("insert into MASTER (STAFFNO, SURNAME, FORENAMES) values ('1', 'Byrne', 'Ann')");
    emp->execute("insert into MASTER (STAFFNO, SURNAME, FORENAMES) values ('2', 'Walsh', 'Brid')");
    emp->execute("insert into MASTER (STAFFNO, SURNAME, FORENAMES) values ('3', 'Byrne', 'Aoife')");
    Dataset& master = dmMain().dataset("qryEmpDts");
    const std::string unsorted = master.sql();

    for (const char* rejected : {"surname; drop table master", "Salary desc", "surname, (select 1)"}) {
        zorvweb.writeString("master", "sort", rejected);
        EXPECT_FALSE(dmMain().ApplyMasterSort(master)) << rejected;
        EXPECT_EQ(master.sql(), unsorted);
    }
    EXPECT_NE(Ini(installation.path("ZorvError.ini")).sections().size(), 0u) << "a rejected order is logged";

    zorvweb.writeString("master", "sort", "Surname desc, Forenames");
    ASSERT_TRUE(dmMain().ApplyMasterSort(master));
    ASSERT_TRUE(dmMain().ApplyMasterSort(master)) << "applying it again replaces the order";
    EXPECT_EQ(master.sql(), unsorted + " Order by Surname desc, Forenames");
    dmMain().open(master);
    std::vector<std::string> order;
    for (master.first(); !master.eof(); master.next())
        order.push_back(master.fieldText("STAFFNO"));
    EXPECT_EQ(order, (std::vector<std::string>{"2", "1", "3"}));
}

TEST_F(TdmMainOperationsTest, MessagesComeInTheSessionLanguage)
{
    auto hr = database("GlobalQuennel");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN, MESSAGEGA) values (778, 'Error', 'Earraid')");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN, MESSAGEGA) values (779, 'Unknown error', 'Earraid anaithnid')");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN, MESSAGEGA) values (641, 'The record could not be locked', "
                "'Glas')");
    EXPECT_EQ(dmMain().MessageText(641), "The record could not be locked");
    EXPECT_EQ(dmMain().MessageText(5), "5");
    EXPECT_EQ(dmMain().MessageHeader(641), "Error 641\n\r");
    EXPECT_EQ(dmMain().MessageHeader(5), "Unknown error\n\r");
    session->view.languageCode = "GA";
    EXPECT_EQ(dmMain().MessageText(641), "Glas");
    session->view.languageCode = "FR";
    EXPECT_EQ(dmMain().MessageText(641), "The record could not be locked") << "a missing language reads English";

    dmMain().ShowMessage("Line one\n\rLine two");
    EXPECT_EQ(shown().back(), "Line one. Line two");
}

TEST_F(TdmMainOperationsTest, LocksOfALongUserNameAreFoundAndReleased)
{
    const std::string user25 = "mary.ann.byrne@hospital.x";
    ASSERT_EQ(user25.size(), 25u);
    session->view.user = user25;
    std::string holder;
    EXPECT_FALSE(dmMain().IsRecordLocked("S1", "qryEmpDts", holder));

    ASSERT_TRUE(dmMain().LockRecord("qryEmpDts", "S1", user25));
    EXPECT_TRUE(dmMain().LockRecord("qryEmpDts", "S1", user25)) << "held already";
    EXPECT_TRUE(dmMain().IsRecordLocked("S1", "qryEmpDts", holder));
    EXPECT_EQ(holder, user25.substr(0, 20));
    EXPECT_TRUE(dmMain().IsRecordLocked("S1", "", holder));
    EXPECT_FALSE(dmMain().IsRecordLocked("S1", "qryEmpAbs", holder)) << "another purpose is free";
    EXPECT_FALSE(dmMain().LockRecord("qryEmpDts", "S1", "bob")) << "held by another user";
    EXPECT_FALSE(dmMain().LockRecord("-ALL-", "S1", "bob")) << "every purpose conflicts";
    EXPECT_TRUE(dmMain().LockRecord("qryEmpAbs", "S1", "bob"));

    ASSERT_TRUE(dmMain().UnlockAllForUser());
    EXPECT_FALSE(dmMain().IsRecordLocked("S1", "qryEmpDts", holder));
    EXPECT_TRUE(dmMain().IsRecordLocked("S1", "qryEmpAbs", holder));
    EXPECT_EQ(holder, "bob");
    ASSERT_TRUE(dmMain().UnlockRecord("S1", "qryEmpAbs"));
    EXPECT_EQ(hospital()->query("select count(*) from TLOCK").first()[0].asInt(), 0);
    EXPECT_TRUE(shown().empty());
}

TEST_F(TdmMainOperationsTest, ALockErrorIsShownWithItsMessageAndReportsFailure)
{
    auto hr = database("GlobalQuennel");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (778, 'Error')");
    hr->execute("insert into MESSAGES (IKEY, MESSAGEEN) values (641, 'The record could not be locked')");
    hospital()->execute("drop table TLOCK");
    EXPECT_FALSE(dmMain().LockRecord("qryEmpDts", "S1", "ann"));
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].rfind("Error 641. The record could not be locked. ", 0), 0u) << shown()[0];
    EXPECT_NE(shown()[0].find("TLOCK"), std::string::npos) << "with the error text";
    EXPECT_FALSE(dmMain().UnlockAllForUser());
}

TEST_F(TdmMainOperationsTest, LogonAuditAndHolidayQueueWriteOneRowEach)
{
    dmMain().setClock([] { return DateTime{Date{2024, 5, 6}, 9, 15, 0}; });
    dmMain().WriteLogonAudit("2001:db8:85a3::8a2e:370:7334", "Login OK", "S1", "ann");
    auto logons = database("QuennelMain")->query("select * from LOGIP");
    ASSERT_EQ(logons.size(), 1u);
    EXPECT_EQ(logons[0]["IPADDRESS"].asString(), "2001:db8:85a3::8a2e:");
    EXPECT_EQ(logons[0]["DLOGGED"].asString(), "06/05/2024 09:15:00");
    EXPECT_EQ(logons[0]["AUSERNAME"].asString(), "ann");

    const DateTime start{Date{2024, 7, 1}};
    const DateTime end{Date{2024, 7, 5}};
    session->dmGlobal->QueueHolidayUpdate("S1", "Paid", false, "AL", "Summer", "Holiday", start, end);
    session->dmGlobal->QueueHolidayUpdate("S1", "Paid", true, "AL", "Summer", "Holiday", start, end);
    auto queued = database("VizereDivIdid")->query("select DEND, LSTRETCH, AEVENT from HOLUPD order by LSTRETCH");
    ASSERT_EQ(queued.size(), 2u);
    EXPECT_EQ(queued[0]["DEND"].asString(), "06/07/2024");
    EXPECT_EQ(queued[0]["LSTRETCH"].asString(), "False");
    EXPECT_EQ(queued[1]["DEND"].asString(), "05/07/2024");
    EXPECT_EQ(queued[1]["LSTRETCH"].asString(), "True");
}

} // namespace
} // namespace zorv::data
