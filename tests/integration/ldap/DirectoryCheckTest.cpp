#include "SlapdServer.h"

#include "signin/uLDAP.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace zorv::signin {
namespace {

using test::SlapdServer;
using namespace std::chrono_literals;

/// The longest a check may take against a server that never answers: the 5 s
/// operation time-out and some slack.
constexpr auto kTimeoutBound = 8s;

class DirectoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = SlapdServer::start(whyNot_); }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override
    {
        if (!server_)
            GTEST_SKIP() << whyNot_;
    }

    static DirectorySettings people(const std::string& server)
    {
        return {server, SlapdServer::kPeoplePrefix, SlapdServer::kPeopleSuffix};
    }
    static std::string userName(const std::string& uid)
    {
        return SlapdServer::kPeoplePrefix + uid + SlapdServer::kPeopleSuffix;
    }

    static std::unique_ptr<SlapdServer> server_;
    static std::string whyNot_;
};

std::unique_ptr<SlapdServer> DirectoryTest::server_;
std::string DirectoryTest::whyNot_;

enum class Target { Live, Down, Silent };
enum class Outcome { Accepted, Refused, OpenFailed };

struct CheckCase {
    const char* name;
    Target target;
    std::string login;
    std::string password;
    Outcome expected;
};

// Refusals checked against a server that is down prove that the server was not
// contacted: contacting it would have thrown.
const CheckCase kCheckCases[] = {
    {"right password", Target::Live, SlapdServer::kUser, SlapdServer::kUserPassword, Outcome::Accepted},
    {"password with name characters sent as typed", Target::Live, SlapdServer::kOtherUser,
     SlapdServer::kOtherPassword, Outcome::Accepted},
    {"wrong password", Target::Live, SlapdServer::kUser, "secret 1!", Outcome::Refused},
    {"password of another account", Target::Live, SlapdServer::kUser, SlapdServer::kOtherPassword, Outcome::Refused},
    {"unknown user", Target::Live, "nobody", SlapdServer::kUserPassword, Outcome::Refused},
    {"empty password", Target::Down, SlapdServer::kUser, "", Outcome::Refused},
    {"empty login", Target::Down, "", SlapdServer::kUserPassword, Outcome::Refused},
    {"comma", Target::Down, "jsmith,ou=people", SlapdServer::kUserPassword, Outcome::Refused},
    {"plus", Target::Down, "jsmith+cn=x", SlapdServer::kUserPassword, Outcome::Refused},
    {"quote", Target::Down, "j\"smith", SlapdServer::kUserPassword, Outcome::Refused},
    {"backslash", Target::Down, "CORP\\jsmith", SlapdServer::kUserPassword, Outcome::Refused},
    {"angle brackets", Target::Down, "<jsmith>", SlapdServer::kUserPassword, Outcome::Refused},
    {"semicolon", Target::Down, "jsmith;x", SlapdServer::kUserPassword, Outcome::Refused},
    {"equals", Target::Down, "uid=jsmith", SlapdServer::kUserPassword, Outcome::Refused},
    {"NUL", Target::Down, std::string("jsmith\0x", 8), SlapdServer::kUserPassword, Outcome::Refused},
    {"server down", Target::Down, SlapdServer::kUser, SlapdServer::kUserPassword, Outcome::OpenFailed},
    {"server that never answers", Target::Silent, SlapdServer::kUser, SlapdServer::kUserPassword,
     Outcome::OpenFailed},
};

Outcome runCheck(const DirectorySettings& settings, const CheckCase& c)
{
    try {
        return DirectoryCheck(settings, c.login, c.password) ? Outcome::Accepted : Outcome::Refused;
    } catch (const ELDAP& e) {
        EXPECT_STREQ(e.what(), ldapConnection::kOpenFailed) << c.name;
        return Outcome::OpenFailed;
    }
}

TEST_F(DirectoryTest, CheckFollowsTheDirectory)
{
    const test::SilentListener silent;
    const std::string down = "ldap://127.0.0.1:" + std::to_string(test::freeLoopbackPort()) + "/";
    for (const CheckCase& c : kCheckCases) {
        const std::string target = c.target == Target::Live ? server_->url()
                                   : c.target == Target::Down ? down
                                                              : silent.url();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(runCheck(people(target), c), c.expected) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, kTimeoutBound) << c.name;
    }
}

std::string failureOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const ELDAP& e) {
        return e.what();
    }
    return {};
}

TEST_F(DirectoryTest, ConnectionOperations)
{
    ldapConnection connection(server_->url());
    EXPECT_EQ(connection.port(), ldapConnection::kPort);
    EXPECT_EQ(failureOf([&] { connection.Bind(userName(SlapdServer::kUser), SlapdServer::kUserPassword); }),
              ldapConnection::kNotOpen);

    connection.Open();
    ASSERT_TRUE(connection.isOpen());
    EXPECT_EQ(failureOf([&] { connection.Bind(userName(SlapdServer::kUser), "wrong"); }), "Invalid credentials");
    EXPECT_EQ(failureOf([&] { connection.Bind(userName(SlapdServer::kUser), SlapdServer::kUserPassword); }), "");
    EXPECT_EQ(connection.bindName(), userName(SlapdServer::kUser));
    connection.Close();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(failureOf([&] { connection.Bind(userName(SlapdServer::kUser), SlapdServer::kUserPassword); }),
              ldapConnection::kNotOpen);

    ldapConnection storedName(server_->url(), userName(SlapdServer::kOtherUser), SlapdServer::kUserPassword);
    EXPECT_EQ(failureOf([&] { storedName.Open(); }), "Invalid credentials");
    EXPECT_FALSE(storedName.isOpen());
}

} // namespace
} // namespace zorv::signin
