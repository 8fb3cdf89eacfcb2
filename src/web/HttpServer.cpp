#include "web/HttpServer.h"

#include "web/ClientAddress.h"
#include "web/FormDecoding.h"
#include "web/HttpBody.h"
#include "web/WebApplication.h"

#include <Poco/DeflatingStream.h>
#include <Poco/Net/MultipartReader.h>
#include <Poco/Net/HTTPBasicCredentials.h>
#include <Poco/Net/HTTPRequestHandler.h>
#include <Poco/Net/HTTPRequestHandlerFactory.h>
#include <Poco/Net/HTTPServer.h>
#include <Poco/Net/HTTPServerParams.h>
#include <Poco/Net/HTTPServerRequest.h>
#include <Poco/Net/HTTPServerRequestImpl.h>
#include <Poco/Net/HTTPServerResponse.h>
#include <Poco/Net/MessageHeader.h>
#include <Poco/Net/NameValueCollection.h>
#include <Poco/Net/ServerSocket.h>
#include <Poco/StreamCopier.h>
#include <Poco/URI.h>

#include <fstream>
#include <semaphore>
#include <sstream>

namespace zorv::web {

namespace {

using Poco::Net::HTTPResponse;
using Poco::Net::HTTPServerRequest;
using Poco::Net::HTTPServerResponse;

constexpr const char* kSecurityPolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; style-src-attr 'unsafe-inline'; "
    "img-src 'self' data:; font-src 'self'; connect-src 'self'; form-action 'self'; base-uri 'none'; "
    "frame-ancestors 'none'";

void addSecurityHeaders(HTTPServerResponse& response)
{
    response.set("Referrer-Policy", "no-referrer");
    response.set("X-Content-Type-Options", "nosniff");
    response.set("X-Frame-Options", "DENY");
    response.set("Content-Security-Policy", kSecurityPolicy);
}

std::string contentTypeFor(const std::filesystem::path& file)
{
    static const std::pair<const char*, const char*> types[] = {
        {".css", "text/css; charset=utf-8"}, {".js", "text/javascript; charset=utf-8"},
        {".png", "image/png"},               {".jpg", "image/jpeg"},
        {".jpeg", "image/jpeg"},             {".gif", "image/gif"},
        {".bmp", "image/bmp"},               {".svg", "image/svg+xml"},
        {".ico", "image/x-icon"},            {".woff", "font/woff"},
        {".woff2", "font/woff2"},            {".csv", "text/csv; charset=utf-8"},
        {".txt", "text/plain; charset=utf-8"}, {".pdf", "application/pdf"},
        {".html", "text/html; charset=utf-8"}, {".htm", "text/html; charset=utf-8"},
        {".xls", "application/vnd.ms-excel"},
        {".xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"},
        {".doc", "application/msword"},
        {".docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document"},
        {".zip", "application/zip"},         {".xml", "application/xml"},
    };
    std::string ext = file.extension().string();
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& [e, type] : types)
        if (ext == e)
            return type;
    return "application/octet-stream";
}

/// Percent-encodes a cookie value; blanks become "+".
std::string encodeCookieValue(const std::string& value)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : value) {
        if (c == ' ') {
            out += '+';
        } else if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '@') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

} // namespace

bool isSitePicture(std::string_view name)
{
    for (const char* picture : kSitePictures)
        if (name == picture)
            return true;
    return false;
}

namespace {

std::string setCookieHeader(const SetCookie& c)
{
    std::string h = c.name + "=" + encodeCookieValue(c.value) + "; Path=" + c.path;
    if (c.maxAgeSeconds >= 0)
        h += "; Max-Age=" + std::to_string(c.maxAgeSeconds);
    h += "; HttpOnly";
    if (c.sameSiteLax)
        h += "; SameSite=Lax";
    return h;
}

CookieJar readCookies(const HTTPServerRequest& request)
{
    CookieJar jar;
    Poco::Net::NameValueCollection cookies;
    request.getCookies(cookies);
    for (const auto& [name, value] : cookies) {
        std::string decoded;
        try {
            Poco::URI::decode(value, decoded);
        } catch (...) {
            decoded = value;
        }
        jar.set(name, decoded);
    }
    return jar;
}

/// The last path segment of a browser-supplied file name ("C:\x\y.txt" → "y.txt").
std::string baseName(const std::string& name)
{
    auto slash = name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base == "." || base == "..")
        return {};
    return base;
}

/// The value of a parameter of a Content-Disposition header as the browser
/// sent it. Browsers escape a double quote in a file name as %22 and send
/// back-slashes as they are, which a generic unescaping parser would drop.
std::string rawDispositionParameter(const std::string& header, const std::string& name)
{
    const std::string key = name + "=\"";
    size_t pos = 0;
    while ((pos = header.find(key, pos)) != std::string::npos) {
        bool atStart = pos == 0 || header[pos - 1] == ' ' || header[pos - 1] == ';';
        if (atStart) {
            size_t start = pos + key.size();
            size_t end = header.find('"', start);
            return header.substr(start, end == std::string::npos ? std::string::npos : end - start);
        }
        pos += key.size();
    }
    return {};
}

/// Reads a multipart body part by part, in one pass: files are streamed to
/// temporary files, other fields go into the form. Throws on a malformed body.
void decodeMultipart(std::istream& body, const std::string& contentType, const std::filesystem::path& uploadDir,
                     PostedForm& form)
{
    std::string mediaType;
    Poco::Net::NameValueCollection params;
    Poco::Net::MessageHeader::splitParameters(contentType, mediaType, params);
    Poco::Net::MultipartReader reader(body, params.get("boundary"));
    size_t fields = 0;
    while (reader.hasNextPart()) {
        if (++fields > kMaxPostedFields)
            throw std::runtime_error("too many fields");
        Poco::Net::MessageHeader header;
        reader.nextPart(header);
        const std::string dispositionText = header.get("Content-Disposition", "");
        std::string disposition;
        Poco::Net::NameValueCollection dispositionParams;
        Poco::Net::MessageHeader::splitParameters(dispositionText, disposition, dispositionParams);
        const std::string name = dispositionParams.get("name", "");
        if (!dispositionParams.has("filename")) {
            std::string value;
            Poco::StreamCopier::copyToString(reader.stream(), value);
            form.add(name, std::move(value));
            continue;
        }
        UploadedFile f;
        f.field = name;
        f.fileName = baseName(rawDispositionParameter(dispositionText, "filename"));
        f.contentType = header.get("Content-Type", "application/octet-stream");
        std::filesystem::create_directories(uploadDir);
        f.tempPath = (uploadDir / ("upload-" + randomToken())).string();
        {
            std::ofstream out(f.tempPath, std::ios::binary);
            f.size = Poco::StreamCopier::copyStream64(reader.stream(), out);
        }
        if (f.fileName.empty()) {
            std::filesystem::remove(f.tempPath);
            continue;
        }
        form.addFile(std::move(f));
    }
}

void removeTempFiles(const PostedForm& form)
{
    std::error_code ec;
    for (const auto& f : form.files())
        std::filesystem::remove(f.tempPath, ec);
}

/// Shared state of all handlers.
struct Context {
    SessionManager& sessions;
    const HttpSettings& settings;
    std::counting_semaphore<> workers;
    Context(SessionManager& s, const HttpSettings& h)
        : sessions(s), settings(h), workers(std::max(1, h.requestWorkers))
    {
    }
};

class WorkerPermit {
public:
    explicit WorkerPermit(std::counting_semaphore<>& s) : s_(s) { s_.acquire(); }
    ~WorkerPermit() { s_.release(); }
    WorkerPermit(const WorkerPermit&) = delete;
    WorkerPermit& operator=(const WorkerPermit&) = delete;

private:
    std::counting_semaphore<>& s_;
};

void sendStatus(HTTPServerResponse& response, HTTPResponse::HTTPStatus status, const std::string& text)
{
    addSecurityHeaders(response);
    response.setStatusAndReason(status);
    response.setContentType("text/plain; charset=utf-8");
    response.setContentLength64(static_cast<Poco::Int64>(text.size()));
    response.send() << text << std::flush;
}

void sendBody(const HTTPServerRequest& request, HTTPServerResponse& response, const std::string& body, bool compress)
{
    const bool gzip = compress && body.size() > 512 &&
                      request.get("Accept-Encoding", "").find("gzip") != std::string::npos;
    if (!gzip) {
        response.sendBuffer(body.data(), body.size());
        return;
    }
    std::ostringstream packed;
    {
        Poco::DeflatingOutputStream deflater(packed, Poco::DeflatingStreamBuf::STREAM_GZIP, 6);
        deflater << body;
        deflater.close();
    }
    std::string data = packed.str();
    response.set("Content-Encoding", "gzip");
    response.set("Vary", "Accept-Encoding");
    response.sendBuffer(data.data(), data.size());
}

class StaticHandler : public Poco::Net::HTTPRequestHandler {
public:
    StaticHandler(const Context& ctx, std::filesystem::path root, std::string relative)
        : ctx_(ctx), root_(std::move(root)), relative_(std::move(relative))
    {
    }

    void handleRequest(HTTPServerRequest& request, HTTPServerResponse& response) override
    {
        if (request.getMethod() != "GET" && request.getMethod() != "HEAD")
            return sendStatus(response, HTTPResponse::HTTP_METHOD_NOT_ALLOWED, "Method not allowed");
        std::filesystem::path rel(relative_);
        bool safe = !relative_.empty() && rel.is_relative();
        for (const auto& part : rel)
            safe = safe && part != ".." && part != ".";
        std::error_code ec;
        auto file = root_ / rel;
        if (!safe || !std::filesystem::is_regular_file(file, ec))
            return sendStatus(response, HTTPResponse::HTTP_NOT_FOUND, "Not found");
        addSecurityHeaders(response);
        response.set("Cache-Control", "public, max-age=3600");
        response.sendFile(file.string(), contentTypeFor(file));
    }

private:
    const Context& ctx_;
    std::filesystem::path root_;
    std::string relative_;
};

/// Serves pages (GET and form posts) and downloads of a session.
class SessionHandler : public Poco::Net::HTTPRequestHandler {
public:
    SessionHandler(Context& ctx, bool download) : ctx_(ctx), download_(download) {}

    void handleRequest(HTTPServerRequest& request, HTTPServerResponse& response) override
    {
        try {
            serve(request, response);
        } catch (...) {
            // Nothing of an internal failure reaches the browser.
            if (!response.sent())
                sendStatus(response, HTTPResponse::HTTP_INTERNAL_SERVER_ERROR, "The request could not be served.");
        }
    }

private:
    void serve(HTTPServerRequest& request, HTTPServerResponse& response)
    {
        const std::string& method = request.getMethod();
        const bool isPost = method == "POST";
        if (!isPost && method != "GET" && method != "HEAD")
            return sendStatus(response, HTTPResponse::HTTP_METHOD_NOT_ALLOWED, "Method not allowed");
        if (download_ && isPost)
            return sendStatus(response, HTTPResponse::HTTP_METHOD_NOT_ALLOWED, "Method not allowed");

        WebRequest webRequest;
        webRequest.isPost = isPost;
        webRequest.cookies = readCookies(request);
        webRequest.clientAddress = plainClientAddress(request.clientAddress().host().toString());
        if (isPost && !readBody(request, response, webRequest.form))
            return;

        const std::string sid = webRequest.cookies.get(kSessionCookie);
        std::shared_ptr<WebSession> session = sid.empty() ? nullptr : ctx_.sessions.find(sid);
        if (!session) {
            removeTempFiles(webRequest.form);
            if (!sid.empty() || isPost || download_)
                return redirectExpired(response, !sid.empty());
            if (!browserAuthenticated(request))
                return askForCredentials(response);
            session = ctx_.sessions.create(&webRequest);
        }
        if (download_)
            return sendDownload(request, response, *session);

        WebResponse out;
        {
            std::lock_guard sessionLock(session->mutex());
            WorkerPermit permit(ctx_.workers);
            out = session->handle(webRequest);
        }
        if (session->idRenewalRequested())
            ctx_.sessions.renewId(session);
        sendPage(request, response, out, *session, sid);
    }

    /// Refuses an oversized body. The response goes first; then a bounded part
    /// of the body is read and dropped, so that the browser, still sending,
    /// gets to read the answer instead of a reset connection.
    void refuseTooLarge(HTTPServerRequest& request, HTTPServerResponse& response)
    {
        constexpr std::streamsize kDrainLimit = 8 << 20;
        const Poco::Timespan kDrainWait(2, 0);
        response.setKeepAlive(false);
        sendStatus(response, HTTPResponse::HTTP_REQUEST_ENTITY_TOO_LARGE, "The request is too large.");
        try {
            // A client that holds its body back until it has an answer must not keep the thread.
            if (auto* impl = dynamic_cast<Poco::Net::HTTPServerRequestImpl*>(&request))
                impl->socket().setReceiveTimeout(kDrainWait);
            request.stream().ignore(kDrainLimit);
        } catch (...) {
        }
    }

    /// Reads and decodes a form post; answers 413 or 400 itself and returns false.
    bool readBody(HTTPServerRequest& request, HTTPServerResponse& response, PostedForm& form)
    {
        const bool multipart = request.getContentType().find("multipart/form-data") != std::string::npos;
        const std::uint64_t limit = multipart ? ctx_.settings.maxUploadBytes : ctx_.settings.maxPostBytes;
        const auto length = request.getContentLength64();
        if (length != HTTPServerRequest::UNKNOWN_CONTENT_LENGTH && static_cast<std::uint64_t>(length) > limit) {
            refuseTooLarge(request, response);
            return false;
        }
        LimitedStreamBuf limited(request.stream(), limit);
        std::istream body(&limited);
        try {
            bool wellFormed = true;
            if (multipart) {
                decodeMultipart(body, request.getContentType(), ctx_.settings.uploadDir, form);
            } else {
                std::string text((std::istreambuf_iterator<char>(body)), std::istreambuf_iterator<char>());
                wellFormed = decodeUrlEncoded(text, form);
            }
            if (limited.exceeded()) {
                removeTempFiles(form);
                refuseTooLarge(request, response);
                return false;
            }
            if (!wellFormed)
                throw std::runtime_error("malformed form");
        } catch (...) {
            removeTempFiles(form);
            if (limited.exceeded()) {
                refuseTooLarge(request, response);
                return false;
            }
            response.setKeepAlive(false);
            sendStatus(response, HTTPResponse::HTTP_BAD_REQUEST, "The request could not be read.");
            return false;
        }
        return true;
    }

    bool browserAuthenticated(const HTTPServerRequest& request) const
    {
        if (!ctx_.settings.authenticate)
            return true;
        if (!request.hasCredentials())
            return false;
        try {
            Poco::Net::HTTPBasicCredentials credentials(request);
            return ctx_.settings.authenticate(credentials.getUsername(), credentials.getPassword());
        } catch (...) {
            return false;
        }
    }

    void askForCredentials(HTTPServerResponse& response)
    {
        response.set("WWW-Authenticate", "Basic realm=\"ZorvWeb\", charset=\"UTF-8\"");
        sendStatus(response, HTTPResponse::HTTP_UNAUTHORIZED, "Authentication required.");
    }

    void redirectExpired(HTTPServerResponse& response, bool clearCookie)
    {
        addSecurityHeaders(response);
        if (clearCookie)
            response.add("Set-Cookie", setCookieHeader(SetCookie{kSessionCookie, "", 0}));
        response.set("Cache-Control", "no-store");
        response.redirect(ctx_.settings.redirect.empty() ? std::string("/") : ctx_.settings.redirect,
                          HTTPResponse::HTTP_SEE_OTHER);
    }

    void sendPage(HTTPServerRequest& request, HTTPServerResponse& response, const WebResponse& out,
                  const WebSession& session, const std::string& oldSid)
    {
        addSecurityHeaders(response);
        response.set("Cache-Control", "no-store");
        if (oldSid != session.id())
            response.add("Set-Cookie", setCookieHeader(SetCookie{kSessionCookie, session.id()}));
        for (const auto& c : out.cookies)
            response.add("Set-Cookie", setCookieHeader(c));
        if (!out.location.empty())
            return response.redirect(out.location, HTTPResponse::HTTP_SEE_OTHER);
        response.setStatusAndReason(static_cast<HTTPResponse::HTTPStatus>(out.status));
        response.setContentType(out.contentType);
        sendBody(request, response, out.body, ctx_.settings.compression);
    }

    void sendDownload(HTTPServerRequest& request, HTTPServerResponse& response, WebSession& session)
    {
        Poco::URI uri(request.getURI());
        std::string token;
        for (const auto& [k, v] : uri.getQueryParameters())
            if (k == "t")
                token = v;
        std::optional<Download> d;
        {
            std::lock_guard sessionLock(session.mutex());
            d = session.takeDownload(token);
        }
        std::error_code ec;
        if (!d || !std::filesystem::is_regular_file(d->path, ec))
            return sendStatus(response, HTTPResponse::HTTP_NOT_FOUND, "The file is no longer available.");
        addSecurityHeaders(response);
        response.set("Cache-Control", "no-store");
        std::string ascii;
        for (unsigned char c : d->fileName)
            ascii += (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') ? static_cast<char>(c) : '_';
        response.set("Content-Disposition",
                     "attachment; filename=\"" + ascii + "\"; filename*=UTF-8''" + encodeCookieValue(d->fileName));
        response.sendFile(d->path, contentTypeFor(d->fileName));
        if (d->deleteAfterSend)
            std::filesystem::remove(d->path, ec);
    }

    Context& ctx_;
    bool download_;
};

class NotFoundHandler : public Poco::Net::HTTPRequestHandler {
public:
    void handleRequest(HTTPServerRequest&, HTTPServerResponse& response) override
    {
        sendStatus(response, HTTPResponse::HTTP_NOT_FOUND, "Not found");
    }
};

/// Routes by path; nothing but "/" and "/download" may create or use a session.
class Router : public Poco::Net::HTTPRequestHandlerFactory {
public:
    explicit Router(std::shared_ptr<Context> ctx) : ctx_(std::move(ctx)) {}

    Poco::Net::HTTPRequestHandler* createRequestHandler(const HTTPServerRequest& request) override
    {
        std::string path;
        try {
            path = Poco::URI(request.getURI()).getPath();
        } catch (...) {
            return new NotFoundHandler;
        }
        if (path == "/")
            return new SessionHandler(*ctx_, false);
        if (path == "/download")
            return new SessionHandler(*ctx_, true);
        const auto& assets = ctx_->settings.assetsDir;
        if (path == "/favicon.ico")
            return new StaticHandler(*ctx_, assets, "img/favicon.ico");
        if (path.rfind("/assets/", 0) == 0)
            return new StaticHandler(*ctx_, assets, path.substr(8));
        // Only the pictures a site may put into the program folder are ever served from it.
        if (path.rfind("/media/", 0) == 0 && isSitePicture(path.substr(7)))
            return new StaticHandler(*ctx_, ctx_->settings.mediaDir, path.substr(7));
        return new NotFoundHandler;
    }

private:
    std::shared_ptr<Context> ctx_;
};

} // namespace

HttpServer::HttpServer(SessionManager& sessions, HttpSettings settings)
    : sessions_(sessions), settings_(std::move(settings))
{
}

HttpServer::~HttpServer() { stop(); }

void HttpServer::start()
{
    Poco::Net::ServerSocket socket;
    socket.bind(Poco::Net::SocketAddress(settings_.address, static_cast<Poco::UInt16>(settings_.port)),
                /*reuseAddress*/ true, /*reusePort*/ false);
    socket.listen(256);
    boundPort_ = socket.address().port();

    auto params = new Poco::Net::HTTPServerParams;
    params->setMaxThreads(settings_.connectionThreads);
    params->setMaxQueued(1024);
    params->setKeepAlive(true);
    params->setKeepAliveTimeout(Poco::Timespan(settings_.keepAlive.count(), 0));
    params->setMaxKeepAliveRequests(0);
    params->setServerName("ZorvWeb");
    params->setTimeout(Poco::Timespan(60, 0));

    static Poco::ThreadPool pool("zorvweb-http", 16, settings_.connectionThreads, 60, 256 * 1024);
    auto ctx = std::make_shared<Context>(sessions_, settings_);
    server_ = std::make_unique<Poco::Net::HTTPServer>(new Router(ctx), pool, socket, params);
    server_->start();
    stopping_ = false;
    sweeper_ = std::thread([this] { sweepLoop(); });
}

void HttpServer::stop()
{
    {
        std::lock_guard lock(sweepMutex_);
        stopping_ = true;
    }
    sweepWake_.notify_all();
    if (sweeper_.joinable())
        sweeper_.join();
    if (server_) {
        server_->stopAll(true);
        server_.reset();
    }
}

void HttpServer::sweepLoop()
{
    std::unique_lock lock(sweepMutex_);
    while (!stopping_) {
        sweepWake_.wait_for(lock, std::chrono::seconds(15));
        if (stopping_)
            break;
        lock.unlock();
        sessions_.sweep();
        lock.lock();
    }
}

} // namespace zorv::web
