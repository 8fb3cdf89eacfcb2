#include "server/TIWServerController.h"

#include "common/Guarded.h"
#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/ReferenceCache.h"
#include "data/Tdmdata.h"
#include "server/ErrorLog.h"
#include "server/PrivFolders.h"
#include "server/ServerConfig.h"
#include "server/ServerTimers.h"
#include "server/TUserSession.h"
#include "records/TfrmMainDetails.h"
#include "signin/Logon.h"
#include "signin/TformMain.h"
#include "signin/uLDAP.h"
#include "web/HttpServer.h"
#include "web/SessionManager.h"

#ifdef ZORV_TEST_PAGES
#include "testpages/TestPages.h"
#endif

#include <cstdlib>

namespace zorv::server {

namespace {

void releaseRecordLocks(TUserSession& user)
{
    if (user.dmMain && !user.UserName.empty())
        user.dmMain->UnlockAllForUser();
}
} // namespace

TIWServerController::TIWServerController(ControllerOptions options) : options_(std::move(options))
{
    signin::setPageOpener(signin::SignedInPage::Main,
                          [](web::WebSession& session) { session.open<records::TfrmMainDetails>(); });
}

TIWServerController::~TIWServerController() { IWServerControllerBaseDestroy(); }

void TIWServerController::IWServerControllerBaseCreate()
{
    startup_ = std::make_unique<StartupResult>(runStartup(options_.home));
    const ServerConfig& config = startup_->config;
    // Reference rows (screen layouts, captions, bars) are kept between requests
    // unless a site switches it off.
    data::ReferenceCache::instance().setEnabled(Ini(zorvwebIniPath()).readBool("web", "ReferenceCache", true));

    ensureDataModule();

    ServerTimersOptions timers;
    timers.keepAliveOn = config.keepAliveOn;
    timers.keepAliveLog = config.keepAliveLog;
    timers.dataModule = [this] { return dataModule(); };
    timers.ensureDataModule = [this] { ensureDataModule(); };
    timers_ = std::make_unique<ServerTimers>(std::move(timers));

    web::SessionManager::Settings sessionSettings;
    sessionSettings.timeout = std::chrono::minutes(config.timeoutMinutes);
    sessionSettings.maxSessions = static_cast<size_t>(config.maxSessions);
    sessions_ = std::make_unique<web::SessionManager>(*this, sessionSettings);

    web::HttpSettings http;
    http.address = options_.addressOverride.value_or(config.address);
    http.port = options_.portOverride.value_or(config.port);
    http.compression = config.compression;
    http.connectionThreads = config.connectionThreads;
    http.redirect = config.redirect;
    http.maxPostBytes = static_cast<std::uint64_t>(config.maxPostKB) * 1024;
    http.maxUploadBytes = static_cast<std::uint64_t>(config.maxUploadMB) * 1024 * 1024;
    http.assetsDir = options_.assetsDir;
    http.uploadDir = startup_->privateFolder / "uploads";
    http.mediaDir = programFolder();
    if (startup_->authHookAttached)
        http.authenticate = [this](const std::string& user, const std::string& password) {
            bool valid = false; // preset: only what the hook accepts passes
            IWServerControllerBaseAuthRequest(user, password, valid);
            return valid;
        };
    http_ = std::make_unique<web::HttpServer>(*sessions_, http);
    http_->start();
}

void TIWServerController::IWServerControllerBaseDestroy()
{
    if (http_)
        guarded([&] { http_->stop(); });
    if (sessions_)
        guarded([&] { sessions_->closeAll(); });
    if (timers_)
        guarded([&] { timers_->stop(); });
    http_.reset();
    sessions_.reset();
    timers_.reset();
    {
        std::lock_guard lock(dataMutex_);
        guarded([&] { data_.reset(); });
    }
    if (startup_)
        guarded([&] { releasePrivateFolder(startup_->privateFolder); });
    startup_.reset();
}

data::Tdmdata* TIWServerController::dataModule() const
{
    std::lock_guard lock(dataMutex_);
    return data_.get();
}

void TIWServerController::ensureDataModule()
{
    std::lock_guard lock(dataMutex_);
    if (data_ || !options_.createDataModule)
        return;
    try {
        data_ = options_.createDataModule();
    } catch (const std::exception& e) {
        // The server still starts; the login page reports the database failure.
        logError("Error-Unable to connect DB Session Manager", e.what());
    } catch (...) {
        logError("Error-Unable to connect DB Session Manager", "unknown error");
    }
}

int TIWServerController::port() const { return http_ ? http_->port() : 0; }

bool TIWServerController::CookiesEnabled() const
{
    return Ini(zorvwebIniPath()).readBool("Program", "cookies", false);
}

void TIWServerController::IWServerControllerBaseNewSession(web::WebSession& session)
{
    auto user = std::make_unique<TUserSession>([this] { return dataModule(); });
    TUserSession& state = *user;
    session.setData(std::move(user));
    openStartPage(session);
    if (CookiesEnabled())
        signin::CookieLogin(state, session);
}

void TIWServerController::openStartPage(web::WebSession& session)
{
#ifdef ZORV_TEST_PAGES
    if (const char* start = std::getenv("ZORV_START_PAGE"); start && testpages::openTestPage(session, start))
        return;
#endif
    session.open<signin::TformMain>();
}

void TIWServerController::requestFinished(web::WebSession& session)
{
    if (auto* user = dynamic_cast<TUserSession*>(session.data()))
        user->RequestFinished();
}

void TIWServerController::IWServerControllerBaseCloseSession(web::WebSession& session)
{
    auto* user = dynamic_cast<TUserSession*>(session.data());
    if (!user)
        return;
    guarded([&] { releaseRecordLocks(*user); });
    user->FreeDataModules();
}

void TIWServerController::sessionException(web::WebSession& session, const std::exception& error)
{
    bool handled = false;
    IWServerControllerBaseException(session, error, handled);
}

void TIWServerController::IWServerControllerBaseException(web::WebSession& session, const std::exception& error,
                                                         bool& handled)
{
    // The log keeps the whole message; the page shows only a reference to it,
    // since the message may carry SQL or what the user typed.
    const std::string reference = logError("Error", error.what());
    handled = true;
    guarded([&] {
        if (auto* user = dynamic_cast<TUserSession*>(session.data())) {
            user->DropPendingChanges();
            guarded([&] { releaseRecordLocks(*user); });
            user->ClearIdentity();
        }
    });
    guarded([&] {
        session.releaseAllPages();
        auto& login = session.open<signin::TformMain>();
        // A directory failure's text is the client library's own, fit to show.
        const bool directory = dynamic_cast<const signin::ELDAP*>(&error) != nullptr;
        login.ShowErrorText(std::string(kLoggedOutAfterError) + (directory ? std::string(error.what()) + ". " : "") +
                            "Reference: " + reference);
    });
}

void TIWServerController::IWServerControllerBaseAuthRequest(const std::string&, const std::string&, bool& valid)
{
    valid = false;
}

} // namespace zorv::server
