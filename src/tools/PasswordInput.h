#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace zorv::admin {

/// The new password typed for a command. On a terminal fd it is asked twice
/// without echo (prompts on err) and both must be the same; otherwise one line
/// is read from fd, so scripts can pipe it in. The line break is not part of
/// it (nor a CR before it). Nothing, with the reason on err, when the input
/// ends before a password or the two typed on a terminal differ. The
/// terminal's settings are restored afterwards, also when SIGINT, SIGTERM or
/// SIGHUP ends the process while it waits.
std::optional<std::string> readNewPassword(int fd, std::ostream& err);

} // namespace zorv::admin
