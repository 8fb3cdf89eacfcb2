#pragma once

#include "LocalProcess.h"

#include "TestFolder.h"

#include <memory>
#include <string>
#include <sys/types.h>

namespace zorv::test {

/// A directory server (/usr/sbin/slapd of package slapd) run by the tests on a
/// free loopback port, with a throw-away configuration and database holding
/// the entries below. Nothing of the machine's installation is used or changed.
class SlapdServer {
public:
    static constexpr const char* kSuffix = "dc=zorv,dc=test";
    /// Bind name of an account: kPeoplePrefix + uid + kPeopleSuffix.
    static constexpr const char* kPeoplePrefix = "uid=";
    static constexpr const char* kPeopleSuffix = ",ou=people,dc=zorv,dc=test";
    static constexpr const char* kUser = "jsmith";
    static constexpr const char* kUserPassword = "Secret 1!";
    /// A second account whose password holds the characters that have a meaning in names.
    static constexpr const char* kOtherUser = "anna";
    static constexpr const char* kOtherPassword = "p,a\"s=s;\\w<o>+rd";

    /// Starts a server; null when it cannot run here, with the reason in whyNot.
    static std::unique_ptr<SlapdServer> start(std::string& whyNot);
    ~SlapdServer();
    SlapdServer(const SlapdServer&) = delete;
    SlapdServer& operator=(const SlapdServer&) = delete;

    /// ldap://127.0.0.1:<port>/
    std::string url() const;

private:
    SlapdServer();
    std::string hashPassword(const std::string& password) const;
    void writeConfiguration() const;
    void loadEntries() const;
    void run();
    void stop();

    TestFolder folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

/// A loopback port that completes TCP connections but never answers.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    std::string url() const;

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace zorv::test
