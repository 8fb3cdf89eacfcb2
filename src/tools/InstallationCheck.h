#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zorv::admin {

/// The outcome of checking one database or folder of an installation.
struct CheckResult {
    std::string name; ///< database alias, or what the folder is for
    std::string path;
    std::string problem; ///< empty when reachable

    bool ok() const { return problem.empty(); }
};

/// Checks the installation in home as the server would find it
/// (DatabaseLayout::read): every application database and every employee
/// database its DBLIST names can be opened, and every folder the system
/// reads or writes exists (and can be written where the system writes).
/// The Firebird root must be prepared. Never throws for a fault of the
/// installation: each fault is a result with a problem.
std::vector<CheckResult> checkInstallation(const std::filesystem::path& home);

} // namespace zorv::admin
