#pragma once

#include "server/TIWServerController.h"
#include "server/TUserSession.h"
#include "web/WebSession.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zorv::test {

/// Drives browser sessions of a server on an installation the way the HTTP
/// layer does, without HTTP: a first request starts each session, posts
/// carry the render serial and CSRF token of the page shown.
class SessionDriver {
public:
    using Cookies = std::vector<std::pair<std::string, std::string>>;
    static constexpr const char* kClientAddress = "10.1.2.3";

    explicit SessionDriver(const std::filesystem::path& home);
    ~SessionDriver();

    /// A fresh session on the login page (or where its cookies lead).
    web::WebSession& newSession(const Cookies& cookies = {});
    /// Types the three login values (when the login page is shown) and clicks button.
    web::WebResponse press(const std::string& login, const std::string& staffNo, const std::string& password,
                           const std::string& button = "cmdLogin", const Cookies& cookies = {});
    /// Posts one event ("cmdNext:click", "OutMain:item:0:1") with extra form values.
    web::WebResponse post(const std::string& event, const Cookies& cookies = {},
                          const std::vector<std::pair<std::string, std::string>>& values = {});
    /// A fresh session signed in through the login page; false when the logon failed.
    bool signIn(const std::string& login, const std::string& staffNo, const std::string& password);

    server::TIWServerController& controller() { return *controller_; }
    web::WebSession& session() { return *session_; }
    server::TUserSession& user() { return dynamic_cast<server::TUserSession&>(*session_->data()); }
    web::Page* page() { return session_ ? session_->currentPage() : nullptr; }
    template <class P>
    P* pageAs()
    {
        return dynamic_cast<P*>(page());
    }

    const std::string& lastBody() const { return lastBody_; }
    /// The value of a cookie the last response set; empty when it set none.
    std::string cookieSet(const std::string& name) const;

private:
    web::WebResponse remember(web::WebResponse response);

    std::unique_ptr<server::TIWServerController> controller_;
    std::unique_ptr<web::WebSession> session_;
    std::string lastBody_;
    std::vector<web::SetCookie> lastCookies_;
};

} // namespace zorv::test
