#include "PageFixture.h"

namespace zorv::web::testing {
namespace {

TEST_F(SessionFixture, ClickCopiesPostedValuesBeforeTheHandlerRuns)
{
    auto r = post({{"edtName", "Ann"}, {"__event", "cmdGo:click"}});
    EXPECT_EQ(form().clicks, 1);
    EXPECT_EQ(form().lblOut->caption(), "Hello Ann");
    EXPECT_NE(r.body.find("Hello Ann"), std::string::npos);
}

TEST_F(SessionFixture, PostsThatMustNotRunAHandler)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> fields;
        bool tokens;
    };
    const std::string serial = std::to_string(session.renderSerial());
    const std::vector<Case> cases = {
        {"no tokens", {{"__event", "cmdGo:click"}}, false},
        {"wrong token", {{"__serial", serial}, {"__csrf", "0000"}, {"__event", "cmdGo:click"}}, false},
        {"stale serial (Back button, double click)",
         {{"__serial", std::to_string(session.renderSerial() - 1)}, {"__csrf", session.csrfToken()},
          {"__event", "cmdGo:click"}},
         false},
        {"unknown control", {{"__event", "cmdNope:click"}}, true},
        {"unknown event", {{"__event", "cmdGo:dblclick"}}, true},
        {"malformed event", {{"__event", "cmdGo"}}, true},
        {"event with a position a button does not have", {{"__event", "cmdGo:click:3"}}, true},
        {"hidden control", {{"__event", "cmdHidden:click"}}, true},
        {"invalid UTF-8", {{"edtName", "\xC3\x28"}, {"__event", "cmdGo:click"}}, true},
    };
    for (const auto& c : cases) {
        WebRequest r;
        r.isPost = true;
        if (c.tokens) {
            r.form.add("__serial", std::to_string(session.renderSerial()));
            r.form.add("__csrf", session.csrfToken());
        }
        for (const auto& [k, v] : c.fields)
            r.form.add(k, v);
        auto response = session.handle(r);
        EXPECT_EQ(form().clicks, 0) << c.name;
        EXPECT_EQ(response.status, 200) << c.name;
        EXPECT_NE(response.body.find("id=\"FormPage\""), std::string::npos) << c.name;
    }
}

TEST_F(SessionFixture, EveryValueIsEscaped)
{
    post({{"edtName", "<script>alert(1)</script>"}, {"__event", "cmdGo:click"}});
    session.showMessage("<script>alert(2)</script>\nnext line");
    auto body = session.renderDocument();
    EXPECT_EQ(body.find("<script>alert"), std::string::npos);
    EXPECT_NE(body.find("Hello &lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(body.find("&lt;script&gt;alert(2)&lt;/script&gt;<br>next line"), std::string::npos);
}

TEST_F(SessionFixture, MessagesFollowTheUserToTheNextPageInOrder)
{
    auto r = post({{"__event", "cmdMove:click"}});
    ASSERT_NE(dynamic_cast<OtherPage*>(session.currentPage()), nullptr);
    EXPECT_EQ(session.pageCount(), 1u) << "the released page is destroyed";
    auto first = r.body.find("first &lt;b&gt;message&lt;/b&gt;");
    auto second = r.body.find("second message");
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(get().body.find("second message"), std::string::npos) << "shown once";
}

TEST_F(SessionFixture, ChildPageReturnsToItsOwnerUnchanged)
{
    post({{"edtName", "Kept"}, {"__event", "cmdGo:click"}});
    post({{"__event", "cmdChild:click"}});
    ASSERT_NE(dynamic_cast<ChildPage*>(session.currentPage()), nullptr);
    EXPECT_EQ(session.pageCount(), 2u);
    auto r = post({{"__event", "cmdBack:click"}});
    auto* owner = dynamic_cast<FormPage*>(session.currentPage());
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(owner->edtName->text(), "Kept");
    EXPECT_EQ(owner->lblOut->caption(), "Hello Kept");
    EXPECT_EQ(session.pageCount(), 1u);
}

TEST_F(SessionFixture, HandlerExceptionGoesToTheApplicationAndAPageIsShown)
{
    auto r = post({{"__event", "cmdFail:click"}});
    EXPECT_NE(app.lastError.find("secret"), std::string::npos);
    EXPECT_EQ(r.status, 200);
    EXPECT_NE(r.body.find("id=\"OtherPage\""), std::string::npos);
    EXPECT_EQ(r.body.find("secret"), std::string::npos);
}

TEST_F(SessionFixture, CurrentSessionIsBoundOnlyDuringARequest)
{
    EXPECT_EQ(WebSession::current(), nullptr);
    WebSession* seen = nullptr;
    form().cmdGo->onClick = [&] { seen = WebSession::current(); };
    post({{"__event", "cmdGo:click"}});
    EXPECT_EQ(seen, &session);
    EXPECT_EQ(WebSession::current(), nullptr);
}

TEST(EventTest, ParseAndEncodeRoundTrip)
{
    struct Case {
        std::string text;
        bool valid;
        int row, col;
    };
    const Case cases[] = {
        {"grdStaff:cellclick:3:2", true, 3, 2}, {"cmdGo:click", true, -1, -1},
        {"cmdGo:click:-1", false, 0, 0},         {"cmdGo:click:1:2:3", false, 0, 0},
        {"cmd Go:click", false, 0, 0},           {":click", false, 0, 0},
        {"cmdGo:click:99999999999", false, 0, 0}, {"cmdGo:click:1x", false, 0, 0},
    };
    for (const auto& c : cases) {
        auto e = Event::parse(c.text);
        ASSERT_EQ(e.has_value(), c.valid) << c.text;
        if (!c.valid)
            continue;
        EXPECT_EQ(e->row, c.row) << c.text;
        EXPECT_EQ(e->col, c.col) << c.text;
        EXPECT_EQ(Event::encode(e->control, e->name, e->row, e->col), c.text);
    }
}

} // namespace
} // namespace zorv::web::testing
