#pragma once

#include <filesystem>

namespace zorv::admin {

/// Gives this process the private Firebird root and lock folder of the
/// installation in home (<home>/firebird/root and <home>/firebird/lock), the
/// ones its server uses, so both can open the databases at the same time.
/// When the process has a root already (the tests build several
/// installations in one process) that one stays.
void prepareFirebird(const std::filesystem::path& home);

} // namespace zorv::admin
