#pragma once

namespace zorv::admin {

/// Exit codes of zorvweb-admin.
enum class ExitCode {
    Ok = 0,
    Failed = 1, ///< the command ran and found a fault (a damaged or unreadable file)
    Usage = 2,  ///< the arguments were wrong; main prints the usage
};

} // namespace zorv::admin
