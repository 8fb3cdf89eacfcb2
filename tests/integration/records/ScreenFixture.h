#pragma once

#include "TestInstallation.h"

#include "data/db/Connection.h"
#include "records/RecordScreen.h"
#include "server/TUserSession.h"
#include "web/Page.h"
#include "web/WebApplication.h"
#include "web/WebSession.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zorv::web {
class Button;
class Region;
} // namespace zorv::web

namespace zorv::test {

/// A page with what a record screen needs of the main page: the region
/// regedit with a container for the screen, the record buttons and the tabs.
class ScreenPage : public web::Page {
public:
    explicit ScreenPage(web::WebSession& session);

    web::Region* regedit;
    web::Region* regScreen;
    web::Button* cmdAdd;
    web::Button* cmdEdit;
    web::Button* cmdDelete;
    web::Button* cmdSave;
    web::Button* cmdCancel;
    web::Button* imgBrowse;
    web::Button* imgEdit;
};

/// One installation with the employee database Hospital, one signed-in user
/// session connected to it, its web session (messages are queued there) and
/// a page with a record screen. Connections of its own write the rows a test
/// needs; layout and label rows go where the screen reads them.
class ScreenTest : public ::testing::Test {
protected:
    ScreenTest();
    ~ScreenTest() override;

    /// A tusrScr row: field, kind, data left and top; further columns by name.
    struct LayoutRow {
        std::string field;
        std::string kind = "EDIT BOX";
        int left = 160;
        int top = 0;
        std::vector<std::pair<std::string, std::string>> more = {};
    };
    void addLayout(int tag, const std::vector<LayoutRow>& rows);
    /// A LABEL row of table (in the database LABEL is read from).
    void addLabel(const std::string& table, const std::string& field, const std::string& caption,
                  const std::string& captionGa = {});
    /// A tusrRec row of tag with the caption.
    void addRectangle(int tag, int id, const std::string& caption, int top = 0);
    /// A master row.
    void addEmployee(const std::string& staffNo, const std::string& surname);

    data::Dataset& dataset(const std::string& name) { return user.dmMain->dataset(name); }
    /// Opens a sub-record dataset for the current employee, as the page does.
    void openFor(data::Dataset& set, const std::string& staffNo);
    /// Lays out tag on dataset and applies the rights, as the page does.
    bool showScreen(const std::string& table, int tag, data::Dataset& set, bool isEmployeeSet = false);
    std::string renderScreen() const;
    template <class T>
    T* control(const std::string& id) const
    {
        return page->findAs<T>(id);
    }
    /// The contexts written to the error log so far.
    std::vector<std::string> loggedContexts() const;

    class NullApplication : public web::WebApplication {
        void sessionStarted(web::WebSession&) override {}
        void sessionClosed(web::WebSession&) override {}
        void sessionException(web::WebSession&, const std::exception&) override {}
        void openStartPage(web::WebSession&) override {}
    };

    TestInstallation installation{{"Hospital"}};
    data::Tdmdata& shared = installation.open();
    db::Connection web = installation.attach(installation.databaseFile("web"));
    db::Connection global = installation.attach(installation.databaseFile("global"));
    /// LABEL, TABLES and the look-up lists are read here (system "ZORVWORK").
    db::Connection reference = installation.attach(installation.databaseFile("globalwork"));
    db::Connection central = installation.attach(installation.databaseFile("central"));
    db::Connection employee = installation.attach(installation.path("data/Hospital.fdb"));
    NullApplication application;
    web::WebSession session{"screen-test", application};
    web::CurrentSessionScope scope{&session};
    server::TUserSession user{[this] { return &shared; }};
    ScreenPage* page = nullptr;
    std::unique_ptr<records::RecordScreen> screen;
};

} // namespace zorv::test
