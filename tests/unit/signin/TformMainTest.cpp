#include "common/ProgramFolder.h"
#include "signin/TformMain.h"
#include "web/WebApplication.h"
#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/Label.h"
#include "web/controls/Link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zorv::signin {
namespace {

namespace fs = std::filesystem;

struct LoginApp : web::WebApplication {
    void sessionStarted(web::WebSession& s) override { openStartPage(s); }
    void sessionClosed(web::WebSession&) override {}
    void sessionException(web::WebSession&, const std::exception&) override {}
    void openStartPage(web::WebSession& s) override { s.open<TformMain>(); }
};

struct LoginPageFixture : ::testing::Test {
    fs::path home = fs::temp_directory_path() / ("zorv-login-" + std::to_string(::getpid()));
    LoginApp app;
    web::WebSession session{"s", app};

    void SetUp() override
    {
        fs::create_directories(home);
        setProgramFolder(home);
    }
    void TearDown() override { fs::remove_all(home); }
    TformMain& open(const std::string& ini)
    {
        std::ofstream(home / "zorvweb.ini") << ini;
        return session.open<TformMain>();
    }
};

TEST_F(LoginPageFixture, ProgramKeysShapeThePage)
{
    auto& page = open("[Program]\nclockButton=1\nMoveLoc=1\nUpload=abc\nTStext=Sheet\nTitle=Hello\n"
                      "LabellblWelcome=Hi there\nLabellblStaffno=Payroll No\nlabelcolour=clRed\n"
                      "Email=<A Href=mailto:it@x.example>IT Desk</A>\nCopyRight=(c) Us\n");
    auto visible = [&](const char* id) { return page.find(id)->visible(); };
    EXPECT_TRUE(visible("cmdClock"));
    EXPECT_TRUE(visible("cmdMoveLoc"));
    EXPECT_FALSE(visible("cmdMoveEmp")) << "the employee clocking demonstration is not built";
    EXPECT_FALSE(visible("cmdUpload")) << "not a number reads as the default";
    EXPECT_FALSE(visible("cmdTSLogin"));
    EXPECT_FALSE(visible("lblerror"));
    EXPECT_EQ(page.findAs<web::Button>("cmdTSLogin")->caption(), "Sheet");
    EXPECT_EQ(page.findAs<web::Label>("lblWelcome")->caption(), "Hi there") << "the label key wins over Title";
    EXPECT_EQ(page.findAs<web::Label>("lblStaffno")->caption(), "Payroll No");
    EXPECT_EQ(page.findAs<web::Label>("lblCopy")->caption(), "(c) Us");
    EXPECT_EQ(page.findAs<web::Label>("lblLogin")->fontColor(), "#ff0000");
    auto* mail = page.findAs<web::Link>("lblemail");
    EXPECT_EQ(mail->target(), "mailto:it@x.example");
    EXPECT_EQ(mail->caption(), "IT Desk");
    EXPECT_EQ(page.defaultButton(), "cmdLogin");
}

TEST_F(LoginPageFixture, DefaultsWithoutConfiguration)
{
    auto& page = open("");
    EXPECT_EQ(page.findAs<web::Label>("lblWelcome")->caption(), "Welcome to Quennel");
    EXPECT_EQ(page.findAs<web::Label>("lblLogin")->caption(), "Login");
    EXPECT_EQ(page.findAs<web::Label>("LblPassword")->caption(), "Password");
    EXPECT_EQ(page.findAs<web::Button>("cmdMoveLoc")->caption(), "Supervisor  Clocking Screen");
    EXPECT_EQ(page.findAs<web::Label>("lblLogin")->fontColor(), "white");
}

TEST_F(LoginPageFixture, HiddenButtonsCannotBeClicked)
{
    open("");
    session.renderDocument();
    web::WebRequest r;
    r.isPost = true;
    r.form.add("__serial", std::to_string(session.renderSerial()));
    r.form.add("__csrf", session.csrfToken());
    r.form.add("__event", "cmdImport:click");
    auto response = session.handle(r);
    EXPECT_EQ(response.body.find("zw-message"), std::string::npos);
}

TEST_F(LoginPageFixture, WelcomeTextPutsThePasswordInPlaceOfEveryMarker)
{
    struct Case {
        const char* ini;
        const char* expected;
    };
    const Case cases[] = {
        {"", "Welcome to Quennel. Please note your password is K7"},
        {"[Welcome]\nPassword=Yours: %Password% (%PASSWORD%)\n", "Yours: K7 (K7)"},
        {"[Welcome]\nPassword=No marker\n", "No marker"},
    };
    for (const Case& c : cases) {
        std::ofstream(home / "zorvweb.ini") << c.ini;
        EXPECT_EQ(WelcomeText("K7"), c.expected) << c.ini;
    }
}

TEST(SupportAnchorTest, SplitsTargetAndCaption)
{
    struct Case {
        const char* anchor;
        const char* target;
        const char* caption;
    };
    const Case cases[] = {
        {"<A Href=mailto:a@b.example>Help</a>", "mailto:a@b.example", "Help"},
        {"<a href=https://x.example/help>Help desk</A>", "https://x.example/help", "Help desk"},
        {"<A Href=mailto:a@b.example>No end", "mailto:a@b.example", "No end"},
        {"plain text", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        auto link = parseSupportAnchor(c.anchor);
        EXPECT_EQ(link.target, c.target) << c.anchor;
        EXPECT_EQ(link.caption, c.caption) << c.anchor;
    }
}

} // namespace
} // namespace zorv::signin
