// The record restriction of the main data module: every employee list of the
// pages is filtered through it.

#include "data/TdmMain.h"
#include "data/Aliases.h"

#include "common/Text.h"
#include "data/SessionView.h"
#include "server/DebugTrace.h"

namespace zorv::data {

namespace {

using zorv::data::alias::kCentral;
using zorv::data::alias::kWeb;
/// The message shown when an employee list comes without a statement.
constexpr int kNoEmployeeSql = 591;

} // namespace

BoundSql TdmMain::RestrictEmployeeSql(const std::string& sql, bool byAbsenceClass)
{
    if (trim(sql).empty()) {
        showNumberedMessage(kNoEmployeeSql);
        return {};
    }
    const SessionView& user = session();
    RightsUser rightsUser{user.userName(), user.securityCode(), user.group(), user.staffNo(), {}};
    // Reading the class may write its default into zorvweb.ini: only when it is used.
    if (byAbsenceClass)
        rightsUser.absenceClass = currentAbsenceClass();
    const RightsDatabases databases{connection(kCentral), connection(kWeb), employeeConnection()};
    return data::RestrictEmployeeSql(sql, rightsUser, databases, byAbsenceClass, DebugTrace::fromIni());
}

} // namespace zorv::data
