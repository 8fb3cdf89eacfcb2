#include "PageFixture.h"

#include "web/SessionManager.h"

#include <thread>

namespace zorv::web::testing {
namespace {

TEST(SessionManagerTest, CapEvictsTheLongestIdleSession)
{
    TestApp app;
    SessionManager sessions(app, {std::chrono::seconds(600), 3});
    auto a = sessions.create();
    auto b = sessions.create();
    auto c = sessions.create();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    a->touch();
    b->touch();
    auto d = sessions.create();
    EXPECT_EQ(sessions.size(), 3u);
    EXPECT_EQ(sessions.find(c->id()), nullptr);
    EXPECT_NE(sessions.find(a->id()), nullptr);
    EXPECT_EQ(app.closed, 1);
}

TEST(SessionManagerTest, RenewedIdReplacesTheOldOne)
{
    TestApp app;
    SessionManager sessions(app, {});
    auto s = sessions.create();
    const std::string oldId = s->id();
    const std::string oldToken = s->csrfToken();
    s->renewIdAfterRequest();
    EXPECT_NE(s->csrfToken(), oldToken) << "the page rendered with the login carries the new token";
    const std::string newToken = s->csrfToken();
    sessions.renewId(s);
    EXPECT_EQ(sessions.find(oldId), nullptr);
    EXPECT_EQ(sessions.find(s->id()), s);
    EXPECT_EQ(s->csrfToken(), newToken);
    EXPECT_EQ(s->id().size(), 32u);
}

TEST(SessionManagerTest, SweepClosesIdleSessionsOnly)
{
    TestApp app;
    SessionManager sessions(app, {std::chrono::seconds(0), 100});
    auto idle = sessions.create();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(sessions.sweep(), 1u);
    EXPECT_EQ(sessions.size(), 0u);
    EXPECT_EQ(app.closed, 1);
}

} // namespace
} // namespace zorv::web::testing
