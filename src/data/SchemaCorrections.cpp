#include "data/SchemaCorrections.h"
#include "data/Aliases.h"

#include "common/Ini.h"
#include "data/Tdmdata.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "data/db/Transaction.h"
#include "server/ErrorLog.h"

#include <array>

namespace zorv::data {

namespace {
using zorv::data::alias::kWeb;
using zorv::data::alias::kGlobalWork;

constexpr const char* kTmeSheetColumns[] = {
    "MONStart", "MONLunchStart", "MONLunchEnd", "MONEnd", "TueStart", "TueLunchStart", "TueLunchEnd",
    "TueEnd",   "WedStart",      "WedLunchStart", "WedLunchEnd", "WedEnd", "ThuStart", "ThuLunchStart",
    "ThuLunchEnd", "ThuEnd",     "FriStart",      "FriLunchStart", "FriLunchEnd", "FriEnd", "SatStart",
    "SatLunchStart", "SatLunchEnd", "SatEnd",    "SunStart",      "SunLunchStart", "SunLunchEnd", "SunEnd",
};
} // namespace

bool SchemaCorrections::run(const std::string& alias, const std::string& sql)
{
    try {
        auto connection = data_.pools().borrow(alias);
        connection->execute(sql);
        return true;
    } catch (const std::exception& e) {
        logError("Error-Schema", alias + ": " + e.what());
        return false;
    }
}

bool SchemaCorrections::createTableIfMissing(const std::string& alias, const std::string& table,
                                             const std::string& ddl)
{
    try {
        if (data_.TableExists(table, alias))
            return true;
    } catch (const std::exception& e) {
        logError("Error-Schema", alias + ": " + e.what());
        return false;
    }
    return run(alias, ddl);
}

template <class Step>
void SchemaCorrections::oneOff(Ini& ini, const std::string& section, const std::string& key, bool def,
                               bool flagAfter, Step step)
{
    if (ini.readBool(section, key, def) == flagAfter)
        return;
    if (step())
        ini.writeBool(section, key, flagAfter);
}

void SchemaCorrections::runAtCreation()
{
    // QuennelMain: the two sign-off tables.
    createTableIfMissing(kWeb, "ABSSignUser",
                         "create table ABSSignUser(auser varchar(20),ikey integer,dstart timestamp,dend timestamp)");
    createTableIfMissing(kWeb, "ABSSign",
                         "create table absSign(auser varchar(20),ikey integer,dsignoff timestamp,iPeriod integer,"
                         "iYear integer)");

    if (data_.aliasExists(kGlobalWork)) {
        oneOff(zorvweb_, "update", "VizereDivIdidContact", true, false, [&] {
            try {
                auto connection = data_.pools().borrow(kGlobalWork);
                if (!connection->query("select count(*) from LABEL where AFIELD = ?", {"998"}).first()[0].asInt())
                    connection->execute("INSERT INTO LABEL (AFIELD, CAPTION, CAPTIONGA, TABLENAME, FIELDNAME, ATYPE, "
                                        "ALLOWQUERY, LMANDATORY, IFIELDSIZE, AMASK) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
                                        "?, NULL)",
                                        {"998", "Priority", "Priority", "EMERGENC", "iPriority", "I", "TRUE", "False",
                                         "20"});
                return true;
            } catch (const std::exception& e) {
                logError("Error-Schema", std::string(kGlobalWork) + ": " + e.what());
                return false;
            }
        });
        createTableIfMissing(
            kGlobalWork, "PaySign",
            "create table PaySign(staffno varchar(20),ikey integer,dstart timestamp,dend timestamp,aPaytype "
            "varchar(100),acode varchar(100),aCentre varchar(100),aOrigPaytype varchar(100),aOrigcode varchar(100),"
            "aOrigCentre varchar(100),aUSER varchar(100),nvalue DECIMAL(15,2),nOriginalvalue DECIMAL(15,2),lholiday "
            "varchar(5),LbankHol varchar(5),llock varchar(5),mComments BLOB SUB_TYPE TEXT SEGMENT SIZE 80)");
    }

    createTableIfMissing(kWeb, "LOGIP",
                         "CREATE TABLE LOGIP(IPADDRESS VARCHAR(20), DLOGGED TIMESTAMP, AREASON VARCHAR(200), "
                         "AUsername VARCHAR(100), Astaffno VARCHAR(100))");
    createTableIfMissing(kWeb, "TREMEMBER",
                         "CREATE TABLE TREMEMBER (ATOKENHASH VARCHAR(64) NOT NULL, AUSER VARCHAR(30) NOT NULL, "
                         "ASTAFFNO VARCHAR(20) NOT NULL, DISSUEDUTC TIMESTAMP NOT NULL, DEXPIRESUTC TIMESTAMP NOT "
                         "NULL, DREVOKEDUTC TIMESTAMP, CONSTRAINT PK_TREMEMBER PRIMARY KEY (ATOKENHASH))");
    oneOff(zorvweb_, "Create", "Roster", true, false, [&] {
        return createTableIfMissing(kWeb, "NCHDRostered",
                                    "create table NCHDRostered(Groupname varchar(50),ikey integer,aTitle varchar(20),"
                                    "aSurname varchar(50),aforename varchar(50),Aspec varchar(100),iBasic integer,"
                                    "iOT integer,iOnCall integer,iStand integer,aPostnumber varchar(100))");
    });
    oneOff(zorvweb_, "Create", "update1", true, false, [&] {
        static const std::array<std::pair<const char*, const char*>, 6> added = {{
            {"lqueste", "varchar(5)"}, {"lquestf", "varchar(5)"}, {"dEFrom", "timestamp"},
            {"dETO", "timestamp"},     {"dfFrom", "timestamp"},   {"dfTO", "timestamp"},
        }};
        for (const auto& [column, type] : added)
            data_.AddColumn(kWeb, "NCHDSub", type, column);
        return data_.FieldExists(kWeb, "NCHDSub", "dfTO");
    });
    oneOff(zorvweb_, "Create", "update2", true, false, [&] {
        data_.AddColumn(kWeb, "NCHDSub", "BLOB SUB_TYPE TEXT SEGMENT SIZE 80", "mApprove");
        return data_.FieldExists(kWeb, "NCHDSub", "mApprove");
    });
    oneOff(zorvweb_, "Create", "nchdwork", true, false, [&] {
        return createTableIfMissing(kWeb, "NCHDWORK",
                                    "CREATE TABLE NCHDWORK(STAFFNO VARCHAR(20), ikey integer, DDATE TIMESTAMP, "
                                    "L5WEEK VARCHAR(5))");
    });
    for (const char* column : {"iUR", "iAL", "iannual", "iSL", "iAD", "iCallin"})
        data_.AddColumn(kWeb, "nchdHrs", "DECIMAL(15,2)", column);
    data_.AddColumn(kWeb, "nchdRostered", "varchar(100)", "aRatio");
    oneOff(zorvweb_, "update", "template", true, false, [&] {
        try {
            auto connection = data_.pools().borrow(kWeb);
            connection->execute("update ttagevts set atablename = ? where upper(atablename) = ?",
                                {"templat", "TEMPLATE"});
            return true;
        } catch (const std::exception& e) {
            logError("Error-Schema", std::string(kWeb) + ": " + e.what());
            return false;
        }
    });
    data_.AddColumn(kWeb, "TLOGIN", "Varchar(30)", "aLanguage");
}

void SchemaCorrections::runAtEmployeeConnect(const std::string& alias, const std::string& name)
{
    oneOff(zorvweb_, "update", alias + "EmpContact", true, false, [&] {
        data_.AddColumn(alias, "EMERGENC", "integer", "iPriority");
        return data_.FieldExists(alias, "EMERGENC", "iPriority");
    });
    (void)name;
    const std::string globalIni = data_.layout().resolve(data_.layout().globalSystemDirectory + "global.ini", false);
    Ini global(globalIni);
    if (!global.readString("UpdateEmpDB", "Location", "").empty()) {
        oneOff(global, "UpdateEmpDB", "Location", false, true, [&] {
            return createTableIfMissing(alias, "EmpRestrict",
                                        "create table EmpRestrict (staffno varchar(20), aUsername varchar(70))");
        });
    }
    try {
        if (!data_.FieldExists(alias, "TMESHEET", "MONStart"))
            for (const char* column : kTmeSheetColumns)
                data_.AddColumn(alias, "TMESHEET", "TimeStamp", column);
    } catch (const std::exception& e) {
        logError("Error-Schema", alias + ": " + e.what());
    }
}

void SchemaCorrections::runAtEveryEmployeeConnect(const std::string& alias, const std::string& requestedName)
{
    oneOff(zorvweb_, "Updateevent", requestedName, true, false, [&] {
        bool event = run(alias, "alter table temphrs alter aevent type varchar(100)");
        bool eventClass = run(alias, "alter table temphrs alter AEVENTCLASS type varchar(100)");
        return event && eventClass;
    });
}

} // namespace zorv::data
