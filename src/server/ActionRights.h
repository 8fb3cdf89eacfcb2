#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace zorv::web {
class WebSession;
}

namespace zorv::server {

class TUserSession;

/// One thing the user must be entitled to before a handler acts. Pages only
/// hide the controls a user may not use; a forged post still reaches the
/// handler, so every handler that reads or changes data checks its rights on
/// the server first, in one line:
///
///     if (!allowed(user, session(), ActionRight::screen("Flexi", {"Full Access"})))
///         return;
///     if (!allowed(user, session(), {ActionRight::screen("EmpWeek", {"Data Entry", "Full Access"}),
///                                    ActionRight::employee(staffNo)}))
///         return;
///
/// Every requirement includes being signed in. Rights are read from the
/// databases at the moment of the check, never from what the page rendered.
class ActionRight {
public:
    /// The session has a signed-in user.
    static ActionRight signedIn();
    /// The user's profile is an administrator's (TUserSession::IsAdministrator).
    static ActionRight administrator();
    /// The user's tuserSec right for screen (ScreenRights) is one of accepted,
    /// compared as stored. A missing row reads as the empty value, so it is
    /// accepted only when "" is listed.
    static ActionRight screen(std::string screen, std::vector<std::string> accepted);
    /// The same, with case and surrounding blanks ignored ("Supervisor" =
    /// "TRUE", "Supervisor View" = "YES").
    static ActionRight screenIgnoringCase(std::string screen, std::vector<std::string> accepted);
    /// The user may act on the employee staffNo: it is the user's own staff
    /// number, or the user's employee list (RestrictEmployeeSql over master)
    /// holds it. A "VIEW SELF ONLY" user may act only on the own record; an
    /// empty staffNo is refused.
    static ActionRight employee(std::string staffNo);
    /// At least one of rights holds (an administrator, or a screen right).
    static ActionRight anyOf(std::vector<ActionRight> rights);

private:
    enum class Kind { SignedIn, Administrator, Screen, Employee, AnyOf };

    explicit ActionRight(Kind kind) : kind_(kind) {}
    /// Whether the right holds for a signed-in user; throws when the rights
    /// cannot be read.
    bool evaluate(TUserSession& user) const;
    friend bool holds(TUserSession& user, const ActionRight& right) noexcept;

    Kind kind_;
    std::string subject_;               // screen name or staff number
    std::vector<std::string> accepted_; // screen values
    bool ignoreCase_ = false;
    std::vector<ActionRight> alternatives_;
};

/// The text shown when an action is refused.
inline constexpr const char* kNoRightsMessage = "You do not have rights for this action.";

/// True when right holds for user. Never throws: an error while reading the
/// rights counts as refused and goes to the error log. Shows nothing; pages
/// may use it to decide what to offer.
bool holds(TUserSession& user, const ActionRight& right) noexcept;

/// The check a handler runs before it acts: true when right holds; otherwise
/// the message box kNoRightsMessage is queued on web and false returned, and
/// the handler must return without changing anything.
bool allowed(TUserSession& user, web::WebSession& web, const ActionRight& right);
/// The same for several requirements that must all hold (one message at most).
bool allowed(TUserSession& user, web::WebSession& web, std::initializer_list<ActionRight> rights);
/// The same for the user session attached to web; a session without one is
/// refused.
bool allowed(web::WebSession& web, const ActionRight& right);
bool allowed(web::WebSession& web, std::initializer_list<ActionRight> rights);

} // namespace zorv::server
