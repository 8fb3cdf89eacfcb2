#include "TestDatabases.h"

#include "FirebirdServer.h"

namespace zorv::test {

namespace {

FirebirdServer& server()
{
    std::string whyNot;
    FirebirdServer* shared = FirebirdServer::shared(whyNot);
    if (!shared)
        throw std::logic_error("no test server: " + whyNot);
    return *shared;
}

} // namespace

std::string backendName(const ::testing::TestParamInfo<Backend>& info)
{
    return info.param == Backend::Embedded ? "Embedded" : "Server";
}

void PrintTo(Backend backend, std::ostream* out)
{
    *out << (backend == Backend::Embedded ? "Embedded" : "Server");
}

TestDatabases::TestDatabases(Backend backend) : backend_(backend)
{
    if (backend_ == Backend::Server)
        server().handOver(folder_.path());
}

std::string TestDatabases::file(const std::string& name) const
{
    return folder_.file(name + ".fdb");
}

db::ConnectionTarget TestDatabases::target(const std::string& name) const
{
    if (backend_ == Backend::Embedded)
        return db::ConnectionTarget{file(name), "SYSDBA", ""};
    return db::ConnectionTarget{server().remotePath(file(name)), "SYSDBA", FirebirdServer::kPassword};
}

db::Connection TestDatabases::create(const std::string& name, int dialect) const
{
    db::DatabaseOptions options;
    options.dialect = dialect;
    return db::createDatabase(target(name), options);
}

void BackendTest::SetUp()
{
    if (GetParam() == Backend::Server) {
        std::string whyNot;
        if (!FirebirdServer::shared(whyNot))
            GTEST_SKIP() << whyNot;
    }
    databases_.emplace(GetParam());
}

} // namespace zorv::test
