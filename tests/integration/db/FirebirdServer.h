#pragma once

#include "TestFolder.h"

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>

namespace zorv::test {

/// A Firebird server (/usr/sbin/firebird of package firebird3.0-server) run
/// by the tests as user firebird on a free loopback port, with a SuperClassic
/// root and a security database of its own, so nothing of the machine's
/// installation is changed. Needs root to switch user.
class FirebirdServer {
public:
    static constexpr const char* kPassword = "zorvtest";

    /// The server of this test process, started on first use; null when it
    /// cannot run here, with the reason in whyNot.
    static FirebirdServer* shared(std::string& whyNot);
    /// Stops the shared server if one was started.
    static void stopShared();

    ~FirebirdServer();
    FirebirdServer(const FirebirdServer&) = delete;
    FirebirdServer& operator=(const FirebirdServer&) = delete;

    /// "localhost/<port>:<file>": the file as the server opens it.
    std::string remotePath(const std::filesystem::path& file) const;
    /// Gives a folder to user firebird, so the server can create files in it.
    void handOver(const std::filesystem::path& folder) const;

private:
    FirebirdServer(uid_t uid, gid_t gid);
    void createSecurityDatabase();
    void start();
    void waitUntilListening();
    void stop();

    uid_t uid_;
    gid_t gid_;
    TestFolder folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace zorv::test
