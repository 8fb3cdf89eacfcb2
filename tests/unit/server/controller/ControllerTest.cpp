#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "server/TIWServerController.h"
#include "server/TUserSession.h"
#include "signin/TformMain.h"
#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/Label.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zorv::server {
namespace {

namespace fs = std::filesystem;

class FailingPage : public web::Page {
public:
    explicit FailingPage(web::WebSession& s) : Page(s, "FailingPage")
    {
        auto* b = add<web::Button>("cmdFail", "Fail");
        b->onClick = [] { throw std::runtime_error("update tLogin set APASSWORD='hunter2'"); };
        auto* probe = add<web::Button>("cmdProbe", "Probe");
        probe->onClick = [this] { seen = UserSession(); };
    }
    TUserSession* seen = nullptr;
};

struct ControllerFixture : ::testing::Test {
    fs::path home = fs::temp_directory_path() / ("zorv-controller-" + std::to_string(::getpid()));
    std::unique_ptr<TIWServerController> controller;
    std::unique_ptr<web::WebSession> session;

    void SetUp() override
    {
        fs::remove_all(home);
        fs::create_directories(home);
        std::ofstream(home / "zorvweb.ini") << "[Program]\nTitle=Welcome\n";
        setProgramFolder(home);
        ControllerOptions options;
        options.home = home;
        options.assetsDir = home;
        controller = std::make_unique<TIWServerController>(std::move(options));
        session = std::make_unique<web::WebSession>("s1", *controller);
        controller->IWServerControllerBaseNewSession(*session);
    }
    void TearDown() override
    {
        session.reset();
        controller.reset();
        fs::remove_all(home);
    }
    TUserSession& user() { return dynamic_cast<TUserSession&>(*session->data()); }
    web::WebResponse click(const std::string& id)
    {
        session->renderDocument();
        web::WebRequest r;
        r.isPost = true;
        r.form.add("__serial", std::to_string(session->renderSerial()));
        r.form.add("__csrf", session->csrfToken());
        r.form.add("__event", id + ":click");
        return session->handle(r);
    }
};

TEST_F(ControllerFixture, NewSessionStartsOnTheLoginPageWithEmptyFields)
{
    EXPECT_NE(dynamic_cast<signin::TformMain*>(session->currentPage()), nullptr);
    TUserSession& u = user();
    EXPECT_TRUE(u.dmMain && u.dmEmpCom && u.dmWork && u.dmEmpDts && u.dmGlobal);
    EXPECT_TRUE(u.UserName.empty());
    EXPECT_FALSE(u.IsAdministrator);
    EXPECT_EQ(u.CurrentScreenTag, 0);
}

TEST_F(ControllerFixture, UserSessionIsReachableOnlyInsideARequest)
{
    EXPECT_EQ(UserSession(), nullptr);
    EXPECT_EQ(CurrentDmMain(), nullptr);
    session->releaseAllPages();
    auto& page = session->open<FailingPage>();
    click("cmdProbe");
    EXPECT_EQ(page.seen, &user());
    EXPECT_EQ(UserSession(), nullptr);
}

TEST_F(ControllerFixture, UnhandledErrorLogsOutToTheLoginPageWithAReferenceOnly)
{
    user().UserName = "ann";
    user().StaffNo = "1001";
    user().SecurityCode = "SUP";
    user().Language = "GA";
    user().CurrentStaffNo = "1002";
    user().ReturnToQuickEdit = true;
    session->releaseAllPages();
    session->open<FailingPage>();

    auto r = click("cmdFail");

    auto* login = dynamic_cast<signin::TformMain*>(session->currentPage());
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->lblerror()->visible());
    const std::string& text = login->lblerror()->caption();
    EXPECT_EQ(text.rfind(kLoggedOutAfterError, 0), 0u) << text;
    EXPECT_NE(text.find("Reference: "), std::string::npos);
    EXPECT_EQ(r.body.find("hunter2"), std::string::npos) << "the raw message stays in the log";

    const TUserSession& u = user();
    EXPECT_TRUE(u.UserName.empty() && u.StaffNo.empty() && u.SecurityCode.empty() && u.Language.empty());
    EXPECT_TRUE(u.CurrentStaffNo.empty());
    EXPECT_FALSE(u.ReturnToQuickEdit);
    EXPECT_TRUE(u.dmMain) << "the session and its modules stay";

    Ini errors(errorIniPath());
    auto sections = errors.sections();
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_NE(text.find(sections[0]), std::string::npos) << "the reference is the log entry's time";
    EXPECT_NE(errors.readString(sections[0], "Error").find("hunter2"), std::string::npos);
}

TEST_F(ControllerFixture, SessionEndFreesEveryDataModule)
{
    controller->IWServerControllerBaseCloseSession(*session);
    const TUserSession& u = user();
    EXPECT_FALSE(u.dmMain || u.dmWork || u.dmEmpCom || u.dmEmpDts || u.dmGlobal);
}

TEST_F(ControllerFixture, BrowserAuthenticationRefusesEveryone)
{
    bool valid = true;
    controller->IWServerControllerBaseAuthRequest("admin", "admin", valid);
    EXPECT_FALSE(valid);
}

} // namespace
} // namespace zorv::server
