#pragma once

#include "tools/AdminExit.h"

#include <ostream>
#include <string>
#include <vector>

namespace zorv::admin {

/// "logons --home DIR [--since dd/mm/yyyy]": prints the logon audit rows
/// (LOGIP of the web database) oldest first, from the start of the given day
/// when --since is given, as an aligned table: time, address, login, staff
/// number, reason. The values are what people typed at the login page, so
/// control characters in them are shown as by printableText.
ExitCode runLogons(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zorv::admin
