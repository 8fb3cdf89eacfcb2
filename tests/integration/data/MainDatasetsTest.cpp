// The datasets of the session data modules and their row rules, on the
// databases of a fresh installation.

#include "TestInstallation.h"

#include "common/Ini.h"
#include "common/Text.h"
#include "data/ApplyWithAudit.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"

#include <gtest/gtest.h>

namespace zorv::data {
namespace {

using test::ConnectedSessionTest;

class MainDatasetsTest : public ConnectedSessionTest {
protected:
    Dataset& ds(const char* name) { return dmMain().dataset(name); }
    Dataset& opened(const char* name, const char* param = nullptr, db::Value value = {})
    {
        Dataset& d = ds(name);
        if (param)
            d.setParam(param, std::move(value));
        dmMain().open(d);
        return d;
    }
    void save(Dataset& d) { ApplyWithAudit(dmMain().connection(d.databaseName()), {&d}, dmMain().wcLogFile); }
};

TEST_F(MainDatasetsTest, EveryStatementRunsAndEveryUpdateKeyIsAColumnOfItsTable)
{
    std::vector<DataModule*> modules = {session->dmMain.get(), session->dmWork.get(), session->dmEmpCom.get(),
                                        session->dmEmpDts.get(), session->dmGlobal.get()};
    for (DataModule* module : modules) {
        for (Dataset* d : module->datasets()) {
            SCOPED_TRACE(module->name() + "." + d->name() + " on " + d->databaseName());
            ASSERT_NO_THROW(module->open(*d));
            if (d->updateTable().empty())
                continue;
            auto connection = database(d->databaseName());
            EXPECT_TRUE(db::tableExists(*connection, d->updateTable()));
            for (const auto& column : d->columns()) {
                if (iequals(column.relation, d->updateTable())) {
                    EXPECT_TRUE(db::fieldExists(*connection, d->updateTable(), column.field)) << column.field;
                }
            }
        }
    }
    EXPECT_EQ(ds("qryEmpDts").databaseName(), "dbZorvHospital");
    EXPECT_EQ(ds("qryMessages").databaseName(), "GlobalQuennel");
}

TEST_F(MainDatasetsTest, NewRowsGetConsecutiveUniqueNumbersInTheirKeyColumn)
{
    struct Case {
        const char* dataset;
        const char* key;
    };
    const Case cases[] = {{"qryEmpCor", "IKEY"}, {"qryEmpApr", "IAPPRNO"}, {"qryUsrRec", "IID"}, {"QryEmail", "IKEY"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dataset);
        Dataset& d = opened(c.dataset);
        d.append();
        const auto first = d.field(c.key).asInt();
        d.post();
        d.append();
        EXPECT_EQ(d.field(c.key).asInt(), first + 1);
        d.cancel();
    }
    auto sysno = database("GlobalQuennel");
    EXPECT_EQ(sysno->query("select IUNIQUE from SYSNO").first()[0].asInt(), 8);
}

TEST_F(MainDatasetsTest, ANewMasterRowTakesTheProfileDefaults)
{
    database("GlobalQuennel")
        ->execute("insert into TCMPHSCH (ISCHEMEID, ASCHEME, LDEFAULTSCHEME) values (4, 'Standard', 'True')");
    Ini zorvweb(installation.path("zorvweb.ini"));
    Dataset& master = opened("qryEmpDts");

    master.append();
    EXPECT_EQ(master.fieldText("ABSCLASS"), "Current");
    EXPECT_EQ(master.field("ISCHEMEID").asInt(), 4);
    EXPECT_EQ(master.fieldText("LMANHOL"), "False");
    EXPECT_EQ(zorvweb.readString("Client_HR", "CurrentClient", "<missing>"), "Current") << "written back";
    master.cancel();

    zorvweb.writeString("Client_Agency", "CurrentClient", "Agency");
    session->view.profileName = "Agency";
    master.append();
    EXPECT_EQ(master.fieldText("ABSCLASS"), "Agency");
    master.setField("STAFFNO", "A1");
    master.setField("ABSCLASS", db::Value());
    master.post();
    EXPECT_EQ(master.fieldText("ABSCLASS"), "Current") << "an empty class defaults before post";
}

TEST_F(MainDatasetsTest, AllowanceGetsItsDescriptionAndAmount)
{
    database("GlobalQuennel")->execute("insert into TCMPSP (ASPCODE, ASPDESC) values ('OT1', 'Overtime allowance')");
    struct Case {
        const char* code;
        db::Value rate;
        db::Value occurrences;
        db::Value amount;
        const char* expectedAmount;
        const char* expectedDescription;
    };
    const Case cases[] = {
        {"ot1", db::Decimal{1250, 2}, 4, db::Decimal{0, 2}, "50.00", "Overtime allowance"},
        {"OT1", "12.5", "4", db::Value(), "50.00", "Overtime allowance"},
        {"OT1", db::Decimal{1250, 2}, 4, db::Decimal{700, 2}, "7.00", "Overtime allowance"},
        {"XX", db::Decimal{333, 2}, db::Decimal{300, 2}, 0, "9.99", ""},
    };
    Dataset& allowances = opened("qryEmpSP", "EmpNo", "S1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedAmount);
        allowances.append();
        EXPECT_EQ(allowances.field("NOCCURANCE").asInt(), 1);
        allowances.setField("STAFFNO", "S1");
        allowances.setField("ASPCODE", c.code);
        allowances.setField("NRATE", c.rate);
        allowances.setField("NOCCURANCE", c.occurrences);
        allowances.setField("NAMOUNT", c.amount);
        allowances.post();
        EXPECT_EQ(allowances.fieldText("NAMOUNT"), c.expectedAmount);
        EXPECT_EQ(allowances.fieldText("ASPDESC"), c.expectedDescription);
    }
    save(allowances);
    EXPECT_EQ(hospital()->query("select sum(NAMOUNT) from TEMPSP").first()[0].asString(), "116.99");
}

TEST_F(MainDatasetsTest, AppraisalDetailsFollowTheCurrentAppraisal)
{
    auto emp = hospital();
    emp->execute("insert into APPRAIS (STAFFNO, IAPPRNO, APPRAISALDATE) values ('S1', 1, '2024-01-10')");
    emp->execute("insert into APPRAIS (STAFFNO, IAPPRNO, APPRAISALDATE) values ('S1', 2, '2023-01-10')");
    emp->execute("insert into APPRAIS (STAFFNO, IAPPRNO, APPRAISALDATE) values ('', 3, '2023-01-10')");
    emp->execute("insert into ASSESS (STAFFNO, IAPPRNO, IKEY, ACRITERIA) values ('S1', 1, 1, 'Teamwork')");
    emp->execute("insert into ASSESS (STAFFNO, IAPPRNO, IKEY, ACRITERIA) values ('S1', 2, 2, 'Punctuality')");
    emp->execute("insert into ASSESS (STAFFNO, IAPPRNO, IKEY, ACRITERIA) values ('S1', 2, 3, 'Safety')");
    Dataset& assess = ds("qryEmpAst");

    Dataset& appraisals = opened("qryEmpApr", "EmpNo", "S1");
    ASSERT_TRUE(assess.active());
    EXPECT_EQ(assess.recordCount(), 1u);
    EXPECT_TRUE(ds("QryEmpObj").active());
    EXPECT_TRUE(ds("qryempTrg").active());
    appraisals.next();
    EXPECT_EQ(assess.recordCount(), 2u);

    assess.append();
    EXPECT_EQ(assess.fieldText("STAFFNO"), "S1");
    EXPECT_EQ(assess.field("IAPPRNO").asInt(), 2);
    EXPECT_FALSE(assess.field("IKEY").isNull());
    assess.cancel();

    appraisals.setParam("EmpNo", "");
    dmMain().open(appraisals);
    EXPECT_FALSE(assess.active()) << "a row without a staff number closes the details";
    EXPECT_FALSE(ds("QryEmpObj").active());
    EXPECT_FALSE(ds("qryempTrg").active());

    appraisals.setParam("EmpNo", "S1");
    dmMain().open(appraisals);
    appraisals.close();
    EXPECT_FALSE(assess.active()) << "closing the appraisals closes the details";
}

TEST_F(MainDatasetsTest, AbsencesCanBeFilteredToThoseFromFebruaryOn)
{
    const int year = DateTime::now().date.year;
    auto emp = hospital();
    emp->execute("insert into ABSENCE (STAFFNO, IKEY, STARTDATE) values ('S1', 1, ?)", {Date{year, 1, 31}});
    emp->execute("insert into ABSENCE (STAFFNO, IKEY, STARTDATE) values ('S1', 2, ?)", {Date{year, 2, 1}});
    EXPECT_EQ(opened("qryEmpAbs", "EmpNo", "S1").recordCount(), 2u);

    Ini(installation.path("zorvweb.ini")).writeBool("Filtered", "qryempabs", true);
    test::TestSession filtered(installation);
    filtered.dmMain->ConnectEmployeeDatabase("Hospital");
    Dataset& absences = filtered.dmMain->dataset("qryEmpAbs");
    absences.setParam("EmpNo", "S1");
    filtered.dmMain->open(absences);
    ASSERT_EQ(absences.recordCount(), 1u);
    EXPECT_EQ(absences.field("IKEY").asInt(), 2);
}

TEST_F(MainDatasetsTest, BeforePostRulesFillDerivedFields)
{
    Dataset& training = opened("qryEmpTrn");
    training.append();
    training.setField("STAFFNO", "S1");
    training.setField("DDATE", Date{2024, 3, 15});
    training.post();
    EXPECT_EQ(training.field("SDAY").asInt(), 15);
    EXPECT_EQ(training.fieldText("DAYNAME"), "Fri");
    EXPECT_EQ(training.field("SMONTH").asInt(), 3);
    EXPECT_EQ(training.field("SYEAR").asInt(), 2024);

    Dataset& exits = opened("qryEmpExt");
    exits.append();
    exits.setField("STAFFNO", "S1");
    exits.setField("DDATE", "not a date");
    EXPECT_NO_THROW(exits.post()) << "errors of the date parts are ignored";
    EXPECT_TRUE(exits.field("SYEAR").isNull());
    exits.edit();
    exits.setField("DDATE", DateTime{Date{2023, 11, 2}, 9, 30, 0});
    exits.post();
    EXPECT_EQ(exits.field("SYEAR").asInt(), 2023);

    Dataset& hours = opened("qryEmpHrs");
    hours.append();
    hours.setField("STAFFNO", "S1");
    hours.setField("IKEY", 1);
    hours.setField("TEVENTTIMESTART", DateTime{Date{1899, 12, 30}, 8, 5, 0});
    hours.setField("TEVENTTIMEEND", DateTime{Date{1899, 12, 30}, 17, 30, 0});
    hours.post();
    EXPECT_EQ(hours.fieldText("ASTART"), "08:05");
    EXPECT_EQ(hours.fieldText("AEND"), "17:30");
    EXPECT_EQ(hours.field("IDAYNO").asInt(), 0);

    Dataset& education = opened("qryEmpEdu");
    education.append();
    EXPECT_EQ(education.fieldText("MNOTES"), std::string(31, ' '));
    EXPECT_TRUE(education.field("IESTABNO").isNull()) << "numbered after the insert";
    education.setField("STAFFNO", "S1");
    education.post();
    EXPECT_FALSE(education.field("IESTABNO").isNull());
    save(education);
    EXPECT_EQ(hospital()->query("select count(*) from EDESTAB where IESTABNO is not null").first()[0].asInt(), 1);
}

TEST_F(MainDatasetsTest, SavedChangesAreAuditedAndAFailedSaveIsNot)
{
    hospital()->execute("insert into MASTER (STAFFNO, SURNAME) values ('S1', 'Byrne')");
    Dataset& master = opened("qryEmpDts");
    master.edit();
    master.setField("SURNAME", "Burns");
    master.post();
    save(master);
    auto lines = auditLines(dmMain().wcLogFile);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(",ann,Web,dmMain,qryEmpDts,"), std::string::npos) << lines[0];
    EXPECT_NE(dmMain().wcLogFile.logFileName().find("data/work/audit/zorvweb/"), std::string::npos);

    master.append();
    master.setField("STAFFNO", "S1"); // taken
    master.post();
    EXPECT_THROW(save(master), db::DatabaseError);
    EXPECT_TRUE(master.updatesPending());
    EXPECT_EQ(auditLines(dmMain().wcLogFile).size(), 1u);
}

TEST_F(MainDatasetsTest, TimeDatasetsAuditIntoTheEmployeeLogAsTheProfile)
{
    Dataset& exceptions = *session->dmEmpDts->findDataset("qryEmpExc");
    EXPECT_EQ(exceptions.databaseName(), "dbZorvHospital");
    session->dmEmpDts->open(exceptions);
    exceptions.append();
    exceptions.setField("STAFFNO", "S1");
    exceptions.setField("IKEY", 7);
    exceptions.post();
    TLogFile& log = session->dmEmpCom->wcLogFile;
    ApplyWithAudit(session->dmEmpDts->connection(exceptions.databaseName()), {&exceptions}, log);
    auto lines = auditLines(log);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(",HR,ZorvWeb,dmEmpDts,qryEmpExc,"), std::string::npos) << lines[0];
}

} // namespace
} // namespace zorv::data
