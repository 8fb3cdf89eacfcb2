#include "SlapdServer.h"

#include "LocalProcess.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fmt/format.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zorv::test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSlapd = "/usr/sbin/slapd";
constexpr const char* kSlapadd = "/usr/sbin/slapadd";
constexpr const char* kSlappasswd = "/usr/sbin/slappasswd";
constexpr const char* kSchemaFolder = "/etc/ldap/schema";
constexpr const char* kModuleFolder = "/usr/lib/ldap";
constexpr const char* kRootName = "cn=admin,dc=zorv,dc=test";
constexpr const char* kRootPassword = "zorvtest";
constexpr auto kStartTimeout = 10s;
constexpr auto kStopTimeout = 5s;
constexpr auto kPollInterval = 20ms;

/// Starts argv with stdin from /dev/null and stdout and stderr into output.
pid_t spawn(std::vector<std::string> argv, const fs::path& output)
{
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // Only async-signal-safe calls from here to execv.
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0)
        ::_exit(126);
    ::execv(args[0], args.data());
    ::_exit(127);
}

/// Runs argv to its end and returns its output; throws when it fails.
std::string runProgram(std::vector<std::string> argv, const fs::path& output)
{
    const std::string program = argv.front();
    int status = 0;
    ::waitpid(spawn(std::move(argv), output), &status, 0);
    const std::string text = readText(output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(program + " failed: " + text);
    return text;
}

std::string withoutTrailingNewline(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

std::unique_ptr<SlapdServer> SlapdServer::start(std::string& whyNot)
{
    for (const char* program : {kSlapd, kSlapadd, kSlappasswd}) {
        if (!fs::exists(program)) {
            whyNot = fmt::format("slapd is not installed (no {})", program);
            return nullptr;
        }
    }
    std::unique_ptr<SlapdServer> server(new SlapdServer);
    server->run();
    return server;
}

SlapdServer::SlapdServer()
{
    fs::create_directory(folder_.path() / "data");
    port_ = freeLoopbackPort();
    writeConfiguration();
    loadEntries();
}

SlapdServer::~SlapdServer()
{
    stop();
}

std::string SlapdServer::url() const
{
    return fmt::format("ldap://127.0.0.1:{}/", port_);
}

std::string SlapdServer::hashPassword(const std::string& password) const
{
    return withoutTrailingNewline(runProgram({kSlappasswd, "-s", password}, folder_.file("slappasswd.out")));
}

void SlapdServer::writeConfiguration() const
{
    std::string config;
    for (const char* schema : {"core", "cosine", "inetorgperson", "nis"})
        config += fmt::format("include {}/{}.schema\n", kSchemaFolder, schema);
    config += fmt::format("pidfile {}\n"
                          "modulepath {}\n"
                          "moduleload back_mdb\n"
                          "database mdb\n"
                          "suffix \"{}\"\n"
                          "rootdn \"{}\"\n"
                          "rootpw {}\n"
                          "directory {}\n",
                          folder_.file("slapd.pid"), kModuleFolder, kSuffix, kRootName, hashPassword(kRootPassword),
                          folder_.file("data"));
    writeText(folder_.file("slapd.conf"), config);
}

void SlapdServer::loadEntries() const
{
    std::string ldif = fmt::format("dn: {0}\nobjectClass: dcObject\nobjectClass: organization\ndc: zorv\no: Zorv\n\n"
                                   "dn: ou=people,{0}\nobjectClass: organizationalUnit\nou: people\n",
                                   kSuffix);
    for (const auto& [uid, password] : {std::pair{kUser, kUserPassword}, std::pair{kOtherUser, kOtherPassword}})
        ldif += fmt::format("\ndn: {0}{1}{2}\nobjectClass: inetOrgPerson\nuid: {1}\ncn: {1}\nsn: {1}\n"
                            "userPassword: {3}\n",
                            kPeoplePrefix, uid, kPeopleSuffix, hashPassword(password));
    writeText(folder_.file("init.ldif"), ldif);
    runProgram({kSlapadd, "-q", "-f", folder_.file("slapd.conf"), "-l", folder_.file("init.ldif")},
               folder_.file("slapadd.out"));
}

void SlapdServer::run()
{
    pid_ = spawn({kSlapd, "-f", folder_.file("slapd.conf"), "-h", url(), "-d", "0"}, folder_.file("slapd.log"));
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!acceptsConnections(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("slapd ended at start: " + readText(folder_.file("slapd.log")));
        }
        if (std::chrono::steady_clock::now() > deadline) {
            stop();
            throw std::runtime_error("slapd did not listen on port " + std::to_string(port_));
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void SlapdServer::stop() { stopChild(pid_, kStopTimeout); }

SilentListener::SilentListener() : fd_(::socket(AF_INET, SOCK_STREAM, 0))
{
    try {
        port_ = bindFreeLoopbackPort(fd_);
        if (::listen(fd_, SOMAXCONN) != 0)
            throw std::runtime_error("cannot listen on a loopback port");
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

SilentListener::~SilentListener()
{
    ::close(fd_);
}

std::string SilentListener::url() const
{
    return fmt::format("ldap://127.0.0.1:{}/", port_);
}

} // namespace zorv::test
