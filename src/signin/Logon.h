#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zorv::server {
class TUserSession;
}
namespace zorv::web {
class WebSession;
}

namespace zorv::signin {

class LogonThrottle;

/// What the user typed into the three edits of the login page.
struct LogonAttempt {
    std::string login;
    std::string staffNo;
    std::string password;
};

/// The button that asks for the logon. The clock and timesheet buttons always
/// authenticate against the directory when one is configured and audit with
/// their own reasons; every other button follows the login button's rules.
enum class LogonButton { Login, Clock, Timesheet };

enum class LogonOutcome {
    SignedIn,     ///< the session holds the user's profile
    Refused,      ///< the user was told why (message box), an audit row written
    DatabaseDown, ///< the login table could not be read
};

/// The logon check of the login page: checks the typed values against the
/// login table or the directory server, writes the logon audit row of every
/// attempt and, on success, fills the session from the user's profile.
/// Every attempt starts by clearing the session's user.
class LogonCheck {
public:
    LogonCheck(server::TUserSession& user, web::WebSession& web);

    LogonOutcome run(const LogonAttempt& attempt, LogonButton button = LogonButton::Login);

    /// Fills the session from the profile of the tLogin row (login, staffNo),
    /// both compared without regard to case, and audits "Login successful";
    /// false (with an audit row or an error-log entry) when it cannot. A last
    /// database the user may not use, or one missing from DBLIST, is replaced
    /// by the first DBLIST database the user may use.
    bool OpenUserProfile(const std::string& login, const std::string& staffNo);

    /// Creates a login for (login, staffNo) from the HR link table when the
    /// staff number has a row there that qualifies: any row with a directory
    /// server configured, otherwise one whose forenames and surname joined by
    /// a blank equal login (case ignored). The HR link's database must be one
    /// the user may use. Returns the generated password; empty when nothing
    /// was created.
    std::string CreateLoginFromHrLink(const std::string& login, const std::string& staffNo);
    /// Adds the tLogin row (group "VIEW SELF ONLY", profile [autoProfile]
    /// default, a generated password stored hashed, LASTDB database) and the
    /// user's screen rights from [nchdLogin] and [Access]. Returns the
    /// generated password.
    std::string CreateLogin(const std::string& login, const std::string& staffNo, const std::string& database);

private:
    struct Rules;

    LogonOutcome passwordLogon(const LogonAttempt& attempt, const Rules& rules);
    LogonOutcome directoryLogon(const LogonAttempt& attempt, LogonButton button, const Rules& rules);
    LogonOutcome selfServiceCreate(const LogonAttempt& attempt, const Rules& rules);
    LogonOutcome signIn(const LogonAttempt& attempt);
    void audit(const std::string& reason, const LogonAttempt& attempt);
    LogonOutcome refuse(const std::string& reason, const LogonAttempt& attempt, const std::string& message);
    /// A refusal that counts towards the limits on failed logons.
    LogonOutcome failAuthentication(const std::string& reason, const LogonAttempt& attempt,
                                    const std::string& message);
    /// The database of the HR link row that qualifies for a new login.
    std::optional<std::string> hrLinkDatabase(const std::string& login, const std::string& staffNo, bool directory);
    /// last when the user may use it and DBLIST has it, else the first DBLIST
    /// database the user may use; throws when there is none.
    std::string allowedDatabase(const std::string& staffNo, const std::string& login, const std::string& last);

    server::TUserSession& user_;
    web::WebSession& web_;
    bool failedAuthentication_ = false;
};

/// The text shown to a user whose login the directory logon just created:
/// zorvweb.ini [Welcome] Password with every "%password%" (any case)
/// replaced by password, or the default welcome followed by the password.
std::string WelcomeText(const std::string& password);

/// The limits on failed logons, shared by every session of the process.
LogonThrottle& logonThrottle();

/// Sends a generated password to the e-mail address of the employee's master
/// record; true when it was sent. Until a sender is set, self-service login
/// creation is refused.
using PasswordMailer = std::function<bool(server::TUserSession&, const std::string& staffNo,
                                          const std::string& password)>;
void setPasswordMailer(PasswordMailer mailer);

/// The pages a logon leads to; the server registers the ones it has (the
/// pages live in other modules). A page without an opener falls back to the
/// main page (Clock, QuickEdit, Expenses) or is reported as unavailable.
enum class SignedInPage { Main, QuickEdit, Expenses, Clock, SupervisorClocking, Import, Upload };
/// Sets (or, with an empty opener, removes) the opener of page.
void setPageOpener(SignedInPage page, std::function<void(web::WebSession&)> opener);
/// Opens page (or its fallback); false when neither has an opener.
bool openSignedInPage(web::WebSession& session, SignedInPage page);

/// Records a timesheet clocking for a staff number at the current time (the
/// login page's timesheet button); unset until timesheet clocking is built.
using TimesheetClocking = std::function<void(server::TUserSession&, const std::string& staffNo)>;
void setTimesheetClocking(TimesheetClocking clocking);
const TimesheetClocking& timesheetClocking();

/// The remember-me cookie: issued after a logon when [Program] cookies is on.
inline constexpr const char* kRememberCookie = "zwremember";

/// Issues a remember-me token for the signed-in user and sets it with the
/// response, together with the "Username" and "staffno" cookies that only
/// pre-fill the login page. Errors go to the error log.
void SetLoginCookies(server::TUserSession& user, web::WebSession& web);

/// The cookie login of a new session: a valid remember-me token signs its user
/// in (audit "AutoLogin"), is replaced by a fresh one and opens the main page.
/// False (and the login page stays) for any other cookie.
bool CookieLogin(server::TUserSession& user, web::WebSession& web);

/// The logout step of every page: remembers the database in use, releases
/// the user's record locks, revokes the browser's remember-me token and
/// clears the session's user.
void SaveLastDatabase(server::TUserSession& user, const std::string& databaseName);

} // namespace zorv::signin
