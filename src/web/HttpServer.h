#pragma once

#include "web/SessionManager.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace Poco::Net {
class HTTPServer;
}

namespace zorv::web {

/// Settings of the HTTP binding.
struct HttpSettings {
    std::string address = "0.0.0.0";
    int port = 1000;                         ///< 0: any free port (tests)
    int connectionThreads = 256;             ///< one per open connection, idle keep-alive included
    int requestWorkers = 32;                 ///< requests doing work at the same time
    std::chrono::seconds keepAlive{5};
    std::uint64_t maxPostBytes = 1u << 20;   ///< ordinary form posts
    std::uint64_t maxUploadBytes = 64u << 20; ///< multipart posts with files
    std::filesystem::path assetsDir;         ///< served under /assets
    std::filesystem::path uploadDir;         ///< temporary files of uploads
    std::filesystem::path mediaDir;          ///< the logo files served under /media
    bool compression = false;                ///< gzip pages for browsers that accept it
    std::string redirect = "/";              ///< where a timed-out session is sent
    /// When set, a browser must pass HTTP basic authentication, checked by
    /// this function, before it gets a new session.
    std::function<bool(const std::string& user, const std::string& password)> authenticate;
};

/// The picture files of the program folder that pages show when a site
/// provides them (logos, header and tab pictures), served under /media/.
inline constexpr const char* kSitePictures[] = {"weblogo.jpg",  "weblogo.bmp",    "imgEdit.jpg",   "imgBrowse.jpg",
                                                "imgMaint.jpg", "imgHoliday.jpg", "imgTraining.jpg", "imgHeader.jpg",
                                                "imgadmin.jpg", "imgLogout.jpg",  "imgLogo.jpg"};
/// True when name is one of kSitePictures (exactly).
bool isSitePicture(std::string_view name);

/// Name of the session cookie.
inline constexpr const char* kSessionCookie = "zwsid";

/// The thin binding of the page framework to Poco's HTTP server: routing of
/// pages, assets and downloads, body limits, cookies and security headers.
class HttpServer {
public:
    HttpServer(SessionManager& sessions, HttpSettings settings);
    ~HttpServer();

    /// Binds and starts serving; throws when the port is taken.
    void start();
    void stop();
    /// The port actually bound (useful with port 0).
    int port() const { return boundPort_; }

private:
    void sweepLoop();

    SessionManager& sessions_;
    HttpSettings settings_;
    std::unique_ptr<Poco::Net::HTTPServer> server_;
    int boundPort_ = 0;
    std::thread sweeper_;
    std::mutex sweepMutex_;
    std::condition_variable sweepWake_;
    bool stopping_ = false;
};

} // namespace zorv::web
