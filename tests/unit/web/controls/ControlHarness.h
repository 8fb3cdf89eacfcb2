#pragma once

// Controls tested the way the browser uses them: a session driven in-process,
// a page rendered, then posts with the page's serial and token.

#include "web/WebApplication.h"
#include "web/WebSession.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zorv::web::testing {

using Fields = std::vector<std::pair<std::string, std::string>>;

/// A page that tests fill with controls.
class BlankPage : public Page {
public:
    explicit BlankPage(WebSession& s) : Page(s, "TfrmBlank") {}
};

class HarnessApp : public WebApplication {
public:
    void sessionStarted(WebSession& s) override { openStartPage(s); }
    void sessionClosed(WebSession&) override {}
    void sessionException(WebSession& s, const std::exception& e) override
    {
        ADD_FAILURE() << "handler raised: " << e.what();
        s.releaseAllPages();
        openStartPage(s);
    }
    void openStartPage(WebSession& s) override { s.open<BlankPage>(); }
};

/// One session; open() shows a page and renders it as the browser's first GET does.
class Harness {
public:
    template <class P>
    P& open()
    {
        P& page = session.open<P>();
        session.renderDocument();
        return page;
    }
    /// Renders the shown page again (a new serial), returning the document.
    std::string render() { return session.renderDocument(); }
    /// Posts fields with the current serial and token; returns the new document.
    std::string post(const Fields& fields)
    {
        WebRequest r;
        r.isPost = true;
        r.form.add("__serial", std::to_string(session.renderSerial()));
        r.form.add("__csrf", session.csrfToken());
        for (const auto& [name, value] : fields)
            r.form.add(name, value);
        return session.handle(r).body;
    }

    HarnessApp app;
    WebSession session{"s1", app};
};

/// The HTML of one control.
inline std::string htmlOf(const Control& c)
{
    HtmlWriter w;
    c.render(w);
    return w.take();
}

inline bool contains(const std::string& haystack, const std::string& needle)
{
    return haystack.find(needle) != std::string::npos;
}

/// A form holding these fields.
inline PostedForm formOf(const Fields& fields)
{
    PostedForm f;
    for (const auto& [name, value] : fields)
        f.add(name, value);
    return f;
}

} // namespace zorv::web::testing
