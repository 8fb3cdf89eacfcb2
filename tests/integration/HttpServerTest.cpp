// The HTTP binding on a loopback port: routing, limits, cookies and bad input.

#include "web/HttpServer.h"
#include "web/WebApplication.h"
#include "web/controls/Button.h"

#include <Poco/Net/HTTPBasicCredentials.h>
#include <Poco/Net/HTTPClientSession.h>
#include <Poco/Net/HTTPRequest.h>
#include <Poco/Net/HTTPResponse.h>
#include <Poco/StreamCopier.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace zorv::web {
namespace {

namespace fs = std::filesystem;

/// Remembers what the last post delivered, as a page control sees it.
class Recorder : public Control {
public:
    using Control::Control;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override
    {
        ++posts;
        files.clear();
        for (const auto& f : form.files()) {
            std::ifstream in(f.tempPath, std::ios::binary);
            files.push_back({f.fileName, std::string(std::istreambuf_iterator<char>(in), {})});
        }
    }
    void render(HtmlWriter& w) const override { w.open("span").attr("id", id()).end().close("span"); }
    int posts = 0;
    std::vector<std::pair<std::string, std::string>> files;
};

class UploadPage : public Page {
public:
    explicit UploadPage(WebSession& s) : Page(s, "UploadPage")
    {
        recorder = add<Recorder>("recorder");
        add<Button>("cmdGo", "Go")->onClick = [this] { ++clicks; };
        setHasUpload();
    }
    Recorder* recorder;
    int clicks = 0;
};

struct App : WebApplication {
    void sessionStarted(WebSession& s) override { openStartPage(s); }
    void sessionClosed(WebSession&) override {}
    void sessionException(WebSession&, const std::exception&) override {}
    void openStartPage(WebSession& s) override { s.open<UploadPage>(); }
};

struct Reply {
    int status = 0;
    std::string body;
    std::vector<std::string> cookies;
};

struct HttpFixture : ::testing::Test {
    static constexpr std::uint64_t kPostLimit = 4096;
    static constexpr std::uint64_t kUploadLimit = 64 * 1024;
    fs::path dir = fs::temp_directory_path() / ("zorv-http-" + std::to_string(::getpid()));
    App app;
    SessionManager sessions{app, {}};
    std::unique_ptr<HttpServer> server;
    std::string sid;

    void SetUp() override { startServer({}); }
    void startServer(std::function<bool(const std::string&, const std::string&)> authenticate)
    {
        fs::create_directories(dir / "assets" / "css");
        std::ofstream(dir / "assets" / "css" / "a.css") << "body{}";
        std::ofstream(dir / "secret.ini") << "[x]";
        HttpSettings s;
        s.address = "127.0.0.1";
        s.port = 0;
        s.maxPostBytes = kPostLimit;
        s.maxUploadBytes = kUploadLimit;
        s.assetsDir = dir / "assets";
        s.uploadDir = dir / "uploads";
        s.authenticate = std::move(authenticate);
        if (server)
            server->stop();
        server = std::make_unique<HttpServer>(sessions, s);
        server->start();
    }
    void TearDown() override
    {
        server->stop();
        sessions.closeAll();
        fs::remove_all(dir);
    }

    Reply send(Poco::Net::HTTPRequest& req, const std::string& body = {}, bool chunked = false)
    {
        Poco::Net::HTTPClientSession client("127.0.0.1", static_cast<Poco::UInt16>(server->port()));
        if (!sid.empty())
            req.set("Cookie", std::string(kSessionCookie) + "=" + sid);
        if (chunked)
            req.setChunkedTransferEncoding(true);
        else if (req.getMethod() == "POST")
            req.setContentLength64(static_cast<Poco::Int64>(body.size()));
        client.sendRequest(req) << body;
        Poco::Net::HTTPResponse res;
        Reply reply;
        std::istream& in = client.receiveResponse(res);
        Poco::StreamCopier::copyToString(in, reply.body);
        reply.status = res.getStatus();
        for (auto it = res.find("Set-Cookie"); it != res.end() && it->first == "Set-Cookie"; ++it)
            reply.cookies.push_back(it->second);
        return reply;
    }
    Reply get(const std::string& path)
    {
        Poco::Net::HTTPRequest req("GET", path, "HTTP/1.1");
        return send(req);
    }
    /// Opens a session and returns the form tokens of its page.
    std::string startSession()
    {
        Reply r = get("/");
        std::smatch m;
        EXPECT_FALSE(r.cookies.empty());
        if (!r.cookies.empty() && std::regex_search(r.cookies[0], m, std::regex("zwsid=([0-9a-f]+)")))
            sid = m[1];
        return tokens(r.body);
    }
    static std::string tokens(const std::string& body)
    {
        std::smatch serial, csrf;
        std::regex_search(body, serial, std::regex("name=\"__serial\" value=\"(\\d+)\""));
        std::regex_search(body, csrf, std::regex("name=\"__csrf\" value=\"([0-9a-f]+)\""));
        return "__serial=" + serial[1].str() + "&__csrf=" + csrf[1].str();
    }
    UploadPage& page()
    {
        return dynamic_cast<UploadPage&>(*sessions.find(sid)->currentPage());
    }
    Reply postForm(const std::string& body, bool chunked = false)
    {
        Poco::Net::HTTPRequest req("POST", "/", "HTTP/1.1");
        req.setContentType("application/x-www-form-urlencoded");
        return send(req, body, chunked);
    }
    Reply postMultipart(const std::string& tokensText, const std::string& fileName, const std::string& content)
    {
        const std::string b = "zwboundary";
        std::string body;
        auto field = [&](const std::string& name, const std::string& value) {
            body += "--" + b + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
        };
        std::smatch m;
        std::regex_search(tokensText, m, std::regex("__serial=(\\d+)&__csrf=([0-9a-f]+)"));
        field("__serial", m[1]);
        field("__csrf", m[2]);
        field("__event", "cmdGo:click");
        body += "--" + b + "\r\nContent-Disposition: form-data; name=\"upl\"; filename=\"" + fileName +
                "\"\r\nContent-Type: text/plain\r\n\r\n" + content + "\r\n--" + b + "--\r\n";
        Poco::Net::HTTPRequest req("POST", "/", "HTTP/1.1");
        req.setContentType("multipart/form-data; boundary=" + b);
        return send(req, body);
    }
};

TEST_F(HttpFixture, StaticFilesAndFaviconNeverCreateSessions)
{
    Reply css = get("/assets/css/a.css");
    EXPECT_EQ(css.status, 200);
    EXPECT_TRUE(css.cookies.empty());
    EXPECT_EQ(get("/favicon.ico").status, 404);
    for (const char* path : {"/assets/../secret.ini", "/assets/%2e%2e/secret.ini", "/assets/", "/nothing"})
        EXPECT_EQ(get(path).status, 404) << path;
    EXPECT_EQ(sessions.size(), 0u);
}

TEST_F(HttpFixture, PageRequestCreatesOneSessionWithAHttpOnlyCookie)
{
    Reply r = get("/");
    EXPECT_EQ(r.status, 200);
    ASSERT_EQ(r.cookies.size(), 1u);
    EXPECT_NE(r.cookies[0].find("HttpOnly"), std::string::npos);
    EXPECT_NE(r.cookies[0].find("SameSite=Lax"), std::string::npos);
    EXPECT_EQ(sessions.size(), 1u);
}

TEST_F(HttpFixture, BrowserAuthenticationHookDecidesBeforeASessionExists)
{
    startServer([](const std::string&, const std::string&) { return false; });
    Poco::Net::HTTPRequest req("GET", "/", "HTTP/1.1");
    Poco::Net::HTTPBasicCredentials("admin", "admin").authenticate(req);
    EXPECT_EQ(send(req).status, 401);
    EXPECT_EQ(get("/").status, 401);
    EXPECT_EQ(sessions.size(), 0u);
}

TEST_F(HttpFixture, UnknownSessionIsSentToTheRedirectAndItsCookieCleared)
{
    sid = "0123456789abcdef0123456789abcdef";
    Reply r = get("/");
    EXPECT_EQ(r.status, 303);
    ASSERT_EQ(r.cookies.size(), 1u);
    EXPECT_NE(r.cookies[0].find("Max-Age=0"), std::string::npos);
    EXPECT_EQ(sessions.size(), 0u);
}

TEST_F(HttpFixture, OversizedBodiesAreRefusedAndNothingRuns)
{
    std::string t = startSession();
    std::string big = t + "&__event=cmdGo:click&pad=" + std::string(kPostLimit, 'x');
    EXPECT_EQ(postForm(big).status, 413) << "declared length";
    EXPECT_EQ(postForm(big, true).status, 413) << "chunked body without a length";
    EXPECT_EQ(page().clicks, 0);
    Reply upload = postMultipart(t, "big.txt", std::string(kUploadLimit + 1, 'u'));
    EXPECT_EQ(upload.status, 413);
    EXPECT_EQ(page().clicks, 0);
    EXPECT_TRUE(!fs::exists(dir / "uploads") || fs::is_empty(dir / "uploads")) << "nothing stored";
}

TEST_F(HttpFixture, UploadKeepsOnlyTheBaseNameAndRemovesTheTemporaryFile)
{
    std::string t = startSession();
    Reply r = postMultipart(t, "..\\..\\zorvweb.ini", "content");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(page().clicks, 1);
    ASSERT_EQ(page().recorder->files.size(), 1u);
    EXPECT_EQ(page().recorder->files[0].first, "zorvweb.ini");
    EXPECT_EQ(page().recorder->files[0].second, "content");
    EXPECT_TRUE(fs::is_empty(dir / "uploads"));
}

TEST_F(HttpFixture, MalformedPostsRunNoHandlerAndTheServerCarriesOn)
{
    std::string t = startSession();
    const std::string bad[] = {
        "%%%%", t + "&__event=cmdGo:click&x=%ZZ", t + "&__event=cmdGo:click&edt=%C3%28",
        t + "&__event=cmdGo:click:999999999999", t + "&__event=../../etc:click",
    };
    for (const auto& body : bad) {
        Reply r = postForm(body);
        EXPECT_TRUE(r.status == 200 || r.status == 400) << body << " -> " << r.status;
        EXPECT_EQ(r.body.find("exception"), std::string::npos);
    }
    EXPECT_EQ(page().clicks, 0);
    Poco::Net::HTTPRequest req("POST", "/", "HTTP/1.1");
    req.setContentType("multipart/form-data; boundary=nothere");
    EXPECT_LT(send(req, "garbage without parts").status, 500) << "broken multipart";
    Reply ok = postForm(tokens(get("/").body) + "&__event=cmdGo:click");
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(page().clicks, 1);
}

} // namespace
} // namespace zorv::web
