#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/AdminExit.h"

namespace zorv::admin {

/// "audit FILE...": prints the lines of each audit file, one per line, in
/// UTF-8 (line breaks, tabs and other control characters inside a line shown
/// as by printableText, so one printed line is one record).
/// "audit --check FILE...": prints "FILE: N records, whole" or
/// "FILE: damaged after record N" for each file.
/// Fails when any file is damaged or unreadable; problems go to err.
ExitCode runAudit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zorv::admin
