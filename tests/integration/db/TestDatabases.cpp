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

db::ConnectionSpec TestDatabases::spec(const std::string& name) const
{
    if (backend_ == Backend::Embedded)
        return db::ConnectionSpec{file(name), "SYSDBA", ""};
    return db::ConnectionSpec{server().remotePath(file(name)), "SYSDBA", FirebirdServer::kPassword};
}

db::Connection TestDatabases::create(const std::string& name, int dialect) const
{
    db::DatabaseOptions options;
    options.dialect = dialect;
    return db::createDatabase(spec(name), options);
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
