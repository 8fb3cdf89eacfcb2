#pragma once

#include "TestFolder.h"
#include "data/db/Connection.h"
#include "data/db/ConnectionTarget.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace zorv::test {

/// Which engine opens a test database: the embedded one (a local path) or
/// the test server (a "localhost/port:path").
enum class Backend { Embedded, Server };

std::string backendName(const ::testing::TestParamInfo<Backend>& info);
void PrintTo(Backend backend, std::ostream* out);

/// A folder of fresh databases for one test, removed with it.
class TestDatabases {
public:
    /// For Server, FirebirdServer::shared must have succeeded.
    explicit TestDatabases(Backend backend = Backend::Embedded);

    Backend backend() const { return backend_; }
    /// The local file of a database named name (name.fdb in the folder).
    std::string file(const std::string& name) const;
    /// How to reach it through the backend.
    db::ConnectionTarget target(const std::string& name) const;
    db::Connection create(const std::string& name, int dialect = 3) const;

private:
    Backend backend_;
    TestFolder folder_;
};

/// A test that runs once embedded and once through the test server; the server
/// run is skipped, with the reason, where the server cannot start.
class BackendTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    TestDatabases& databases() { return *databases_; }

private:
    std::optional<TestDatabases> databases_;
};

} // namespace zorv::test

/// Instantiates a BackendTest suite for both backends.
#define ZORV_INSTANTIATE_FOR_BACKENDS(suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                                                 \
                             ::testing::Values(::zorv::test::Backend::Embedded, ::zorv::test::Backend::Server),       \
                             ::zorv::test::backendName)
