#pragma once

#include <filesystem>

namespace zorv::test {

/// The Firebird root and lock folder this test process prepared (see
/// FirebirdRoot::prepare); isql-fb started by a test inherits them.
const std::filesystem::path& firebirdRootFolder();
const std::filesystem::path& firebirdLockFolder();

} // namespace zorv::test
