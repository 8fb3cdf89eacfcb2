#include "data/RightsAccess.h"

#include "common/Ini.h"
#include "data/UniqueKeys.h"
#include "data/db/Transaction.h"

namespace zorv::data {
namespace {

constexpr const char* kDatabaseRightsFile = "dbSec.ini";

Ini databaseRights(const std::filesystem::path& home) { return Ini((home / kDatabaseRightsFile).string()); }

} // namespace

std::string DatabaseSection(const std::string& staffNo, const std::string& userName) { return staffNo + userName; }

bool DatabaseAllowed(const std::filesystem::path& home, const std::string& staffNo, const std::string& userName,
                     const std::string& databaseName)
{
    return databaseRights(home).readBool(DatabaseSection(staffNo, userName), databaseName, true);
}

void SetDatabaseAllowed(const std::filesystem::path& home, const std::string& section,
                        const std::string& databaseName, bool allowed)
{
    databaseRights(home).writeBool(section, databaseName, allowed);
}

void SetScreenRight(db::Connection& web, db::Connection& keys, const std::string& user, const std::string& screen,
                    const std::string& rights)
{
    db::Transaction transaction(web);
    const db::ResultSet located = transaction.query(
        "select first 1 IKEY from TUSERSEC where upper(AUSER) = upper(?) and upper(ASCREEN) = upper(?) order by IKEY",
        {user, screen});
    if (located.empty()) {
        const int key = nextUnique(keys, kUniqueCounter);
        transaction.execute("insert into TUSERSEC (AUSER, ASCREEN, ARIGHTS, IKEY) values (?, ?, ?, ?)",
                            {user, screen, rights, key});
    } else {
        transaction.execute("update TUSERSEC set AUSER = ?, ASCREEN = ?, ARIGHTS = ? "
                            "where upper(AUSER) = upper(?) and upper(ASCREEN) = upper(?) "
                            "and IKEY is not distinct from ?",
                            {user, screen, rights, user, screen, located[0][0]});
    }
    transaction.commit();
}

} // namespace zorv::data
