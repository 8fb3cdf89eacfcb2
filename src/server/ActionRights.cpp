#include "server/ActionRights.h"
#include "data/Aliases.h"

#include "common/Text.h"
#include "data/Rights.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "server/ErrorLog.h"
#include "server/TUserSession.h"
#include "web/WebSession.h"

#include <algorithm>

namespace zorv::server {

namespace {

using zorv::data::alias::kWeb;
constexpr const char* kErrorContext = "Error-ActionRights";
/// The employee list whose rows a user may act on.
constexpr const char* kEmployeeList = "select STAFFNO from MASTER";

bool isSignedIn(const TUserSession& user) { return !user.UserName.empty(); }

bool valueAccepted(const std::string& value, const std::vector<std::string>& accepted, bool ignoreCase)
{
    return std::any_of(accepted.begin(), accepted.end(), [&](const std::string& candidate) {
        return ignoreCase ? iequals(trim(value), trim(candidate)) : value == candidate;
    });
}

/// True when the user's employee list holds staffNo (compared as stored).
bool inEmployeeList(TUserSession& user, const std::string& staffNo)
{
    data::TdmMain& main = *user.dmMain;
    const data::BoundSql list = main.RestrictEmployeeSql(kEmployeeList, false);
    if (list.empty())
        return false;
    db::Params params = list.params;
    params.emplace_back(staffNo);
    const db::ResultSet found = main.connection(main.employeeAlias())
                                    .query("select count(*) from (" + list.sql + ") VISIBLE where VISIBLE.STAFFNO = ?",
                                           params);
    return found.first()[0].asInt() > 0;
}

TUserSession* userOf(web::WebSession& web) { return dynamic_cast<TUserSession*>(web.data()); }

} // namespace

ActionRight ActionRight::signedIn() { return ActionRight(Kind::SignedIn); }

ActionRight ActionRight::administrator() { return ActionRight(Kind::Administrator); }

ActionRight ActionRight::screen(std::string screen, std::vector<std::string> accepted)
{
    ActionRight right(Kind::Screen);
    right.subject_ = std::move(screen);
    right.accepted_ = std::move(accepted);
    return right;
}

ActionRight ActionRight::screenIgnoringCase(std::string screen, std::vector<std::string> accepted)
{
    ActionRight right = ActionRight::screen(std::move(screen), std::move(accepted));
    right.ignoreCase_ = true;
    return right;
}

ActionRight ActionRight::employee(std::string staffNo)
{
    ActionRight right(Kind::Employee);
    right.subject_ = std::move(staffNo);
    return right;
}

ActionRight ActionRight::anyOf(std::vector<ActionRight> rights)
{
    ActionRight right(Kind::AnyOf);
    right.alternatives_ = std::move(rights);
    return right;
}

bool ActionRight::evaluate(TUserSession& user) const
{
    switch (kind_) {
    case Kind::SignedIn:
        return true;
    case Kind::Administrator:
        return user.IsAdministrator;
    case Kind::Screen:
        return valueAccepted(data::ScreenRights(user.dmMain->connection(kWeb), user.UserName, subject_), accepted_,
                             ignoreCase_);
    case Kind::Employee:
        if (subject_.empty())
            return false;
        return subject_ == user.StaffNo || inEmployeeList(user, subject_);
    case Kind::AnyOf:
        // Each alternative is guarded on its own: an error in one leaves the others.
        return std::any_of(alternatives_.begin(), alternatives_.end(),
                           [&](const ActionRight& alternative) { return holds(user, alternative); });
    }
    return false;
}

bool holds(TUserSession& user, const ActionRight& right) noexcept
{
    if (!isSignedIn(user))
        return false;
    try {
        return right.evaluate(user);
    } catch (const std::exception& e) {
        logError(kErrorContext, e.what());
    } catch (...) {
        logError(kErrorContext, "unknown error while reading the rights of " + user.UserName);
    }
    return false;
}

bool allowed(TUserSession& user, web::WebSession& web, std::initializer_list<ActionRight> rights)
{
    const bool all =
        std::all_of(rights.begin(), rights.end(), [&](const ActionRight& right) { return holds(user, right); });
    if (!all)
        web.showMessage(kNoRightsMessage);
    return all;
}

bool allowed(TUserSession& user, web::WebSession& web, const ActionRight& right)
{
    return allowed(user, web, {right});
}

bool allowed(web::WebSession& web, std::initializer_list<ActionRight> rights)
{
    if (TUserSession* user = userOf(web))
        return allowed(*user, web, rights);
    web.showMessage(kNoRightsMessage);
    return false;
}

bool allowed(web::WebSession& web, const ActionRight& right) { return allowed(web, {right}); }

} // namespace zorv::server
