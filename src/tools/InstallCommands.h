#pragma once

#include "tools/AdminExit.h"

#include <ostream>
#include <string>
#include <vector>

namespace zorv::admin {

/// "demo --home DIR [--employees N] [--seed S] [--today dd/mm/yyyy]": builds
/// the demo installation in DIR and prints its logins. Fails when DIR
/// already holds an installation.
ExitCode runDemo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// "init --home DIR": builds an empty installation for a real site with one
/// administrator login, whose random password is printed once.
ExitCode runInit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// "check --home DIR": prints one line per configured database and folder;
/// fails when any of them cannot be reached.
ExitCode runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zorv::admin
