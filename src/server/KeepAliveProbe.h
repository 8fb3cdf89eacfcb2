#pragma once

#include "common/DateTime.h"

#include <string>
#include <string_view>

namespace zorv {
class Ini;
}
namespace zorv::data {
class Tdmdata;
}

namespace zorv::server {

/// zorvtest.ini in the program folder, where the keep-alive results go.
std::string keepAliveIniPath();

/// True for the per-employee-database aliases ("dbZorv…", any case).
bool isEmployeeDatabaseAlias(std::string_view alias);

/// One keep-alive round: probes the central, global and work databases
/// (when their alias exists) and every employee-database alias with a small
/// query each. A failure is written to zorvtestIni as
/// [<now dd/mm/yyyy hh:nn:ss>] <key>=Failure; a success as "success", and
/// only when logSuccess. A failing probe does not stop the others.
void keepAliveTick(data::Tdmdata& db, Ini& zorvtestIni, bool logSuccess, DateTime now);

} // namespace zorv::server
