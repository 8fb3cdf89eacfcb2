#pragma once

// A session driven in-process: no HTTP, a page with a few controls, and
// helpers that post to it the way a browser does.

#include "web/WebApplication.h"
#include "web/WebSession.h"
#include "web/controls/Button.h"
#include "web/controls/Edit.h"
#include "web/controls/Label.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace zorv::web::testing {

class ChildPage : public Page {
public:
    explicit ChildPage(WebSession& s) : Page(s, "ChildPage")
    {
        auto* back = add<Button>("cmdBack", "Back");
        back->onClick = [this] { session().returnToOwner(*this); };
    }
};

class OtherPage : public Page {
public:
    explicit OtherPage(WebSession& s) : Page(s, "OtherPage") { add<Label>("lblOther", "other page"); }
};

class FormPage : public Page {
public:
    explicit FormPage(WebSession& s) : Page(s, "FormPage")
    {
        edtName = add<Edit>("edtName");
        lblOut = add<Label>("lblOut");
        cmdGo = add<Button>("cmdGo", "Go");
        cmdGo->onClick = [this] {
            ++clicks;
            lblOut->setCaption("Hello " + edtName->text());
        };
        cmdHidden = add<Button>("cmdHidden", "Hidden");
        cmdHidden->setVisible(false);
        cmdHidden->onClick = [this] { ++clicks; };
        auto* cmdChild = add<Button>("cmdChild", "Child");
        cmdChild->onClick = [this] { session().openChild<ChildPage>(); };
        auto* cmdMove = add<Button>("cmdMove", "Move");
        cmdMove->onClick = [this] {
            session().showMessage("first <b>message</b>");
            session().showMessage("second message");
            release();
            session().open<OtherPage>();
        };
        auto* cmdFail = add<Button>("cmdFail", "Fail");
        cmdFail->onClick = [] { throw std::runtime_error("select * from secret where x = '<script>'"); };
    }
    Edit* edtName;
    Label* lblOut;
    Button* cmdGo;
    Button* cmdHidden;
    int clicks = 0;
};

class TestApp : public WebApplication {
public:
    void sessionStarted(WebSession& s) override { openStartPage(s); }
    void sessionClosed(WebSession&) override { ++closed; }
    void sessionException(WebSession& s, const std::exception& e) override
    {
        lastError = e.what();
        s.releaseAllPages();
        s.open<OtherPage>();
    }
    void openStartPage(WebSession& s) override { s.open<FormPage>(); }
    int closed = 0;
    std::string lastError;
};

/// One session with its first page rendered, as after the browser's first GET.
struct SessionFixture : ::testing::Test {
    TestApp app;
    WebSession session{"s1", app};

    void SetUp() override
    {
        app.openStartPage(session);
        get();
    }
    FormPage& form() { return dynamic_cast<FormPage&>(*session.currentPage()); }

    WebResponse get()
    {
        WebRequest r;
        return session.handle(r);
    }
    /// Posts fields with the current serial and token, as the browser does.
    WebResponse post(std::initializer_list<std::pair<std::string, std::string>> fields, bool withTokens = true)
    {
        WebRequest r;
        r.isPost = true;
        if (withTokens) {
            r.form.add("__serial", std::to_string(session.renderSerial()));
            r.form.add("__csrf", session.csrfToken());
        }
        for (const auto& [k, v] : fields)
            r.form.add(k, v);
        return session.handle(r);
    }
};

} // namespace zorv::web::testing
