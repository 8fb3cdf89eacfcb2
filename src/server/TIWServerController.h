#pragma once

#include "web/WebApplication.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace zorv::data {
class Tdmdata;
}
namespace zorv::web {
class HttpServer;
class SessionManager;
class WebSession;
} // namespace zorv::web

namespace zorv::server {

class ServerTimers;
struct StartupResult;

/// How the program runs this server: where its home is and which parts the
/// caller supplies.
struct ControllerOptions {
    std::filesystem::path home;        ///< the program folder
    std::filesystem::path assetsDir;   ///< style sheets, scripts and images served under /assets
    std::optional<int> portOverride;   ///< replaces [web] port (0: any free port)
    std::optional<std::string> addressOverride;
    /// Opens the shared databases; empty while no data layer is configured.
    std::function<std::unique_ptr<data::Tdmdata>()> createDataModule;
};

/// The process-wide server object: start-up, sessions, unhandled errors,
/// the two timers and the HTTP server.
class TIWServerController : public web::WebApplication {
public:
    explicit TIWServerController(ControllerOptions options);
    ~TIWServerController() override;

    /// Runs the start-up steps, opens the shared databases (a failure does
    /// not stop the server), starts the timers and the HTTP server.
    void IWServerControllerBaseCreate();
    /// Closes every session, stops the timers and frees the shared databases.
    void IWServerControllerBaseDestroy();
    void IWServerControllerBaseNewSession(web::WebSession& session);
    void IWServerControllerBaseCloseSession(web::WebSession& session);
    void IWServerControllerBaseException(web::WebSession& session, const std::exception& error, bool& handled);
    /// The browser-authentication hook: accepts nobody.
    void IWServerControllerBaseAuthRequest(const std::string& userName, const std::string& password, bool& valid);

    /// The shared data module, or nothing while the databases could not be opened.
    data::Tdmdata* dataModule() const;
    /// Opens the shared databases when they are not open; swallows failures.
    void ensureDataModule();
    int port() const;
    web::SessionManager& sessions() const { return *sessions_; }

    // The page framework's hooks.
    void sessionStarted(web::WebSession& session) override { IWServerControllerBaseNewSession(session); }
    void sessionClosed(web::WebSession& session) override { IWServerControllerBaseCloseSession(session); }
    void sessionException(web::WebSession& session, const std::exception& error) override;
    void openStartPage(web::WebSession& session) override;
    void requestFinished(web::WebSession& session) override;

private:
    bool CookiesEnabled() const;

    ControllerOptions options_;
    std::unique_ptr<StartupResult> startup_;
    mutable std::mutex dataMutex_;
    std::unique_ptr<data::Tdmdata> data_;
    std::unique_ptr<ServerTimers> timers_;
    std::unique_ptr<web::SessionManager> sessions_;
    std::unique_ptr<web::HttpServer> http_;
};

/// The text of the login page after an unhandled error, ahead of the reference.
inline constexpr const char* kLoggedOutAfterError =
    "An error occur and you were automatically logged out, please log back in, if the error occurs again, "
    "please contact IT. ";

} // namespace zorv::server
