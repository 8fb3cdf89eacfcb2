#include "signin/Logon.h"

#include "common/Text.h"
#include "data/ApplyWithAudit.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "server/ErrorLog.h"
#include "server/ServerConfig.h"
#include "server/TUserSession.h"
#include "web/WebSession.h"

namespace zorv::signin {

namespace {
constexpr const char* kFailedToLogin = "Failed to login. ";
constexpr const char* kNoProfile = "Unable to locate user profile please contact your system administrator ";
constexpr int kDetailsScreen = 590;

std::function<void(web::WebSession&)>& firstPageOpener()
{
    static std::function<void(web::WebSession&)> opener;
    return opener;
}

/// Caption language: the login's language unless it is empty or English.
std::string languageOf(const std::string& stored)
{
    std::string value = trim(stored);
    if (value.empty() || iequals(value, "ENGLISH"))
        return "EN";
    return value;
}
} // namespace

void setFirstPageOpener(std::function<void(web::WebSession&)> opener) { firstPageOpener() = std::move(opener); }

void openFirstPage(web::WebSession& session)
{
    if (firstPageOpener())
        firstPageOpener()(session);
}

void LogonCheck::audit(const std::string& reason, const LogonAttempt& attempt)
{
    user_.dmMain->WriteLogonAudit(web_.clientAddress(), reason, attempt.staffNo, attempt.login);
}

LogonOutcome LogonCheck::refuse(const std::string& reason, const LogonAttempt& attempt, const std::string& message)
{
    audit(reason, attempt);
    web_.showMessage(message);
    return LogonOutcome::Refused;
}

LogonOutcome LogonCheck::run(const LogonAttempt& attempt)
{
    data::Dataset& logins = user_.dmMain->dataset("qryLogin");
    try {
        user_.dmMain->open(logins);
    } catch (const std::exception& e) {
        logError("Error-outlookBar", e.what());
        return LogonOutcome::DatabaseDown;
    }
    const bool found = !attempt.password.empty() &&
                       logins.locate({{"AUSER", attempt.login},
                                      {"ASTAFFNO", attempt.staffNo},
                                      {"APASSWORD", attempt.password}},
                                     true);
    if (!found) {
        if (!attempt.password.empty())
            return refuse("Failed Logon - Incorrect Password", attempt, kFailedToLogin);
        if (logins.locate({{"AUSER", attempt.login}, {"ASTAFFNO", attempt.staffNo}}, true))
            return refuse("Failed Logon - blank password", attempt, kFailedToLogin);
        return refuse("Failed Logon", attempt, kFailedToLogin);
    }
    if (!OpenUserProfile(attempt.login, attempt.staffNo)) {
        web_.showMessage(kNoProfile);
        return LogonOutcome::Refused;
    }
    logins.close();
    return LogonOutcome::SignedIn;
}

bool LogonCheck::OpenUserProfile(const std::string& login, const std::string& staffNo)
{
    data::Dataset& logins = user_.dmMain->dataset("qryLogin");
    const LogonAttempt attempt{login, staffNo, {}};
    try {
        const std::string profile = logins.fieldText("APROFILE");
        auto profiles = user_.dmMain->connection("CentQuennel")
                            .query("select * from Users where upper(asystem) = upper(?) and upper(cusercode) = upper(?)",
                                   {server::serverSettings().systemName(), profile});
        if (profiles.empty()) {
            audit("Failed Logon - unknown Profile", attempt);
            return false;
        }
        audit("Login successful", attempt);
        const auto& row = profiles.first();
        auto rights = user_.dmMain->connection("QuennelMain")
                          .query("select ARIGHTS from tuserSec where upper(AUSER) = upper(?) and "
                                 "upper(ASCREEN) = 'SUPERVISED'",
                                 {login});
        user_.SecurityCode = row["ASECURITYCODE"].asString();
        user_.UserCode = row["CUSERCODE"].asString();
        user_.Profile = profile;
        user_.SupervisedRights = rights.empty() ? std::string() : rights.first()["ARIGHTS"].asString();
        user_.IsAdministrator = iequals(trim(row["LADMINISTRATOR"].asString()), "TRUE");
        user_.StaffNo = logins.fieldText("ASTAFFNO");
        user_.DatabaseName = logins.fieldText("LASTDB");
        user_.UserName = login;
        user_.Language = logins.hasField("ALANGUAGE") ? languageOf(logins.fieldText("ALANGUAGE")) : "EN";
        user_.Group = logins.fieldText("AGROUP");
        return true;
    } catch (const std::exception& e) {
        logError("Error-outlookBar1", e.what());
        return false;
    }
}

void SaveLastDatabase(server::TUserSession& user, const std::string& databaseName)
{
    user.ReloadMainModule = true;
    user.dmMain->UnlockAllForUser();
    try {
        data::Dataset& logins = user.dmMain->dataset("qryLogin");
        user.dmMain->open(logins);
        if (logins.locate({{"AUSER", user.UserName}, {"ASTAFFNO", user.StaffNo}}, true)) {
            logins.edit();
            logins.setField("LASTDB", databaseName);
            logins.post();
            data::ApplyWithAudit(user.dmMain->connection("QuennelMain"), {&logins}, user.dmMain->wcLogFile);
        }
        logins.close();
    } catch (const std::exception& e) {
        logError("Error", e.what());
    }
    user.ClearIdentity();
}

} // namespace zorv::signin
