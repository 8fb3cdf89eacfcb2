#pragma once

#include <functional>
#include <string>

namespace zorv::server {
class TUserSession;
}
namespace zorv::web {
class WebSession;
}

namespace zorv::signin {

/// What the user typed into the three edits of the login page.
struct LogonAttempt {
    std::string login;
    std::string staffNo;
    std::string password;
};

enum class LogonOutcome {
    SignedIn,      ///< the session holds the user's profile
    Refused,       ///< the user was told why (message box), an audit row written
    DatabaseDown,  ///< the login table could not be read
};

/// The logon check of the login page: checks the typed values against the
/// login table, writes the logon audit row of every attempt and, on success,
/// fills the session from the user's profile.
class LogonCheck {
public:
    LogonCheck(server::TUserSession& user, web::WebSession& web) : user_(user), web_(web) {}

    LogonOutcome run(const LogonAttempt& attempt);
    /// Fills the session from the profile of the current login row; false
    /// (with an audit row or an error-log entry) when it cannot.
    bool OpenUserProfile(const std::string& login, const std::string& staffNo);

private:
    void audit(const std::string& reason, const LogonAttempt& attempt);
    LogonOutcome refuse(const std::string& reason, const LogonAttempt& attempt, const std::string& message);

    server::TUserSession& user_;
    web::WebSession& web_;
};

/// Opens the first working page after a successful logon; the server sets
/// it (the pages live in other modules).
void setFirstPageOpener(std::function<void(web::WebSession&)> opener);
void openFirstPage(web::WebSession& session);

/// The logout step of every page: remembers the database in use, releases
/// the user's record locks and clears the session's user.
void SaveLastDatabase(server::TUserSession& user, const std::string& databaseName);

} // namespace zorv::signin
