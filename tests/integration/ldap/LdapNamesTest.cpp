#include "signin/LdapNames.h"

#include <gtest/gtest.h>
#include <string>

namespace zorv::signin {
namespace {

struct UrlCase {
    const char* name;
    std::string server;
    std::string expected;
};

TEST(DirectoryUrl, FollowsTheConfiguredServer)
{
    const UrlCase cases[] = {
        {"host name", "dc1.corp.local", "ldap://dc1.corp.local:389"},
        {"IPv4 address", "10.0.0.5", "ldap://10.0.0.5:389"},
        {"IPv6 address goes in brackets", "fe80::1", "ldap://[fe80::1]:389"},
        {"bracketed IPv6 address", "[::1]", "ldap://[::1]:389"},
        {"several hosts", " dc1  dc2 ", "ldap://dc1:389 ldap://dc2:389"},
        {"ldap URL as given", "ldap://dc1:3268/", "ldap://dc1:3268/"},
        {"ldaps URL in any case as given", "LDAPS://dc1.corp.local", "LDAPS://dc1.corp.local"},
        {"empty", "", ""},
        {"blank", "   ", ""},
        {"not a host name", "dc1/o=x", ""},
        {"URL without scheme", "dc1?x", ""},
    };
    for (const UrlCase& c : cases)
        EXPECT_EQ(directoryUrl(c.server, 389), c.expected) << c.name;
}

TEST(SafeDirectoryLogin, RefusesCharactersWithAMeaningInNames)
{
    for (const char* login : {"jsmith", "j.smith-2_x", "jsmith@corp.local", "Jo Smith", "O'Neil", "x*"})
        EXPECT_TRUE(isSafeDirectoryLogin(login)) << login;
    const std::string refused[] = {"",       "a,b", "a+b", "a\"b", "a\\b", "a<b", "a>b",
                                   "a;b",    "a=b", std::string("a\0b", 3), ",", "uid=x,ou=people"};
    for (const std::string& login : refused)
        EXPECT_FALSE(isSafeDirectoryLogin(login)) << login;
}

} // namespace
} // namespace zorv::signin
