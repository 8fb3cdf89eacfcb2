#include "FirebirdServer.h"

#include "LocalProcess.h"

#include "data/db/FirebirdRoot.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fmt/format.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
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

constexpr const char* kServerProgram = "/usr/sbin/firebird";
constexpr const char* kIsqlProgram = "/usr/bin/isql-fb";
constexpr const char* kServerAccount = "firebird";
constexpr auto kStartTimeout = 20s;
constexpr auto kStopTimeout = 10s;
constexpr auto kPollInterval = 50ms;

std::unique_ptr<FirebirdServer> sharedServer;
std::string sharedFailure;

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

/// Starts program as uid/gid with only environment, stdin from input,
/// stdout and stderr appended to output.
pid_t spawnAs(uid_t uid, gid_t gid, std::vector<std::string> argv, std::vector<std::string> environment,
              const fs::path& input, const fs::path& output)
{
    std::vector<char*> args = pointersTo(argv);
    std::vector<char*> env = pointersTo(environment);
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // Only async-signal-safe calls from here to execve.
    const int in = ::open(input.c_str(), O_RDONLY);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (in < 0 || out < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(out, 2) < 0)
        ::_exit(126);
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
        ::_exit(126);
    ::execve(args[0], args.data(), env.data());
    ::_exit(127);
}

} // namespace

FirebirdServer* FirebirdServer::shared(std::string& whyNot)
{
    if (sharedServer)
        return sharedServer.get();
    if (sharedFailure.empty()) {
        const passwd* account = ::getpwnam(kServerAccount);
        if (!fs::exists(kServerProgram))
            sharedFailure = "firebird3.0-server is not installed (no /usr/sbin/firebird)";
        else if (::geteuid() != 0)
            sharedFailure = "starting the server as user firebird needs root";
        else if (!account)
            sharedFailure = "there is no user firebird";
        else
            sharedServer.reset(new FirebirdServer(account->pw_uid, account->pw_gid));
    }
    whyNot = sharedFailure;
    return sharedServer.get();
}

void FirebirdServer::stopShared()
{
    sharedServer.reset();
}

FirebirdServer::FirebirdServer(uid_t uid, gid_t gid) : uid_(uid), gid_(gid)
{
    handOver(folder_.path());
    for (const char* sub : {"root", "lock"}) {
        fs::create_directory(folder_.path() / sub);
        handOver(folder_.path() / sub);
    }
    port_ = freeLoopbackPort();
    db::FirebirdRoot::build(folder_.path() / "root", fmt::format("RemoteServicePort = {}\n"
                                                                 "RemoteBindAddress = 127.0.0.1\n"
                                                                 "SecurityDatabase = {}\n",
                                                                 port_, (folder_.path() / "security.fdb").string()));
    createSecurityDatabase();
    start();
}

FirebirdServer::~FirebirdServer()
{
    stop();
}

std::string FirebirdServer::remotePath(const fs::path& file) const
{
    return fmt::format("localhost/{}:{}", port_, fs::absolute(file).string());
}

void FirebirdServer::handOver(const fs::path& folder) const
{
    if (::chown(folder.c_str(), uid_, gid_) != 0)
        throw std::runtime_error("cannot give " + folder.string() + " to user firebird");
}

void FirebirdServer::createSecurityDatabase()
{
    const std::string script = folder_.file("security.sql");
    const std::string log = folder_.file("security.log");
    writeText(script, fmt::format("CREATE DATABASE '{}';\n"
                                  "CREATE USER SYSDBA PASSWORD '{}' USING PLUGIN Srp;\n"
                                  "COMMIT;\n",
                                  folder_.file("security.fdb"), kPassword));
    const pid_t pid = spawnAs(uid_, gid_, {kIsqlProgram, "-q", "-user", "SYSDBA"},
                              {"FIREBIRD=" + folder_.file("root"), "FIREBIRD_LOCK=" + folder_.file("lock")}, script,
                              log);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string output = readText(log);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !output.empty())
        throw std::runtime_error("creating the security database failed: " + output);
}

void FirebirdServer::start()
{
    pid_ = spawnAs(uid_, gid_, {kServerProgram},
                   {"FIREBIRD=" + folder_.file("root"), "FIREBIRD_LOCK=" + folder_.file("lock"), "PATH=/usr/bin:/bin"},
                   "/dev/null", folder_.file("server.log"));
    try {
        waitUntilListening();
    } catch (...) {
        stop();
        throw;
    }
}

void FirebirdServer::waitUntilListening()
{
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!acceptsConnections(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the Firebird server ended at start: " + readText(folder_.file("server.log")) +
                                     readText(folder_.file("root/firebird.log")));
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("the Firebird server did not listen on port " + std::to_string(port_));
        std::this_thread::sleep_for(kPollInterval);
    }
}

void FirebirdServer::stop() { stopChild(pid_, kStopTimeout); }

} // namespace zorv::test
