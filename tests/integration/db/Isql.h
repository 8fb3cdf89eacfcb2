#pragma once

#include <string>

namespace zorv::test {

struct IsqlRun {
    int exitCode;
    std::string output; ///< stdout and stderr together
};

/// Runs isql-fb -q as SYSDBA, talking UTF-8, on script (the script may CREATE or CONNECT
/// itself, or database names the file to open). It inherits this process's
/// FIREBIRD and FIREBIRD_LOCK, so it shares files the process holds open.
IsqlRun runIsql(const std::string& script, const std::string& database = {});

} // namespace zorv::test
