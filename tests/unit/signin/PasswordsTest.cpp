#include "signin/Passwords.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <set>
#include <string>

namespace zorv::signin {
namespace {

struct HashedCase {
    const char* name;
    const char* password;
    const char* typed;
    bool ok;
};

TEST(Passwords, HashedPasswordsVerifyWithoutRegardToAsciiCase)
{
    const HashedCase cases[] = {
        {"same text", "Secret7", "Secret7", true},
        {"typed in lower case", "Secret7", "secret7", true},
        {"typed in upper case", "Secret7", "SECRET7", true},
        {"one character wrong", "Secret7", "Secret8", false},
        {"prefix of the password", "Secret7", "Secret", false},
        {"trailing blank", "Secret7", "Secret7 ", false},
        {"empty typed", "Secret7", "", false},
        {"UTF-8 kept, ASCII folded", "gr\xC3\xBC\xC3\x9F" "e", "GR\xC3\xBC\xC3\x9F" "E", true},
        {"non-ASCII letters are not folded", "gr\xC3\xBC\xC3\x9F" "e", "GR\xC3\x9C\xC3\x9F" "E", false},
        {"SQL and markup characters", "a\"b'--<x>", "A\"B'--<X>", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string stored = hashPassword(c.password);
        const PasswordCheck result = verifyPassword(stored, c.typed);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_FALSE(result.needsUpgrade);
    }
}

TEST(Passwords, HashIsPrefixedSaltedArgon2id)
{
    const std::string first = hashPassword("Secret7");
    const std::string second = hashPassword("Secret7");
    EXPECT_TRUE(first.starts_with(std::string(kPasswordHashPrefix) + "$argon2id$")) << first;
    EXPECT_TRUE(isHashedPassword(first));
    EXPECT_NE(first, second);
    EXPECT_EQ(first.find("Secret7"), std::string::npos);
    EXPECT_EQ(first.find("SECRET7"), std::string::npos);
}

struct LegacyCase {
    const char* name;
    const char* stored;
    const char* typed;
    bool ok;
};

TEST(Passwords, LegacyPlainPasswordsCompareWithoutCaseAndAskForUpgrade)
{
    const LegacyCase cases[] = {
        {"same text", "secret", "secret", true},
        {"other case", "secret", "SeCrEt", true},
        {"digits and signs", "p4ss-w0rd!", "P4SS-W0RD!", true},
        {"last character differs", "secret", "secrex", false},
        {"first character differs", "secret", "xecret", false},
        {"shorter", "secret", "secre", false},
        {"longer", "secret", "secrets", false},
        {"case of signs is not folded", "a[b", "A{B", false},
        {"non-ASCII is compared byte for byte", "\xC3\xA9", "\xC3\x89", false},
        {"empty typed against empty stored", "", "", false},
        {"empty typed", "secret", "", false},
        {"prefix-like text without the prefix", "zw1", "ZW1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PasswordCheck result = verifyPassword(c.stored, c.typed);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.needsUpgrade, c.ok);
    }
}

TEST(Passwords, DamagedOrWeakerHashes)
{
    ASSERT_GE(sodium_init(), 0);
    const std::string password = "SECRET7";
    char weaker[crypto_pwhash_STRBYTES];
    ASSERT_EQ(crypto_pwhash_str(weaker, password.data(), password.size(), crypto_pwhash_OPSLIMIT_MIN,
                                crypto_pwhash_MEMLIMIT_MIN),
              0);
    const std::string prefixedWeaker = std::string(kPasswordHashPrefix) + weaker;
    const std::string good = hashPassword("Secret7");

    struct Case {
        const char* name;
        std::string stored;
        bool ok;
        bool needsUpgrade;
    };
    const Case cases[] = {
        {"made with lower limits", prefixedWeaker, true, true},
        {"prefix only", std::string(kPasswordHashPrefix), false, false},
        {"prefix and garbage", std::string(kPasswordHashPrefix) + "$argon2id$xyz", false, false},
        {"truncated hash", good.substr(0, good.size() - 5), false, false},
        {"sodium string without our prefix is legacy text", weaker, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PasswordCheck result = verifyPassword(c.stored, "secret7");
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.needsUpgrade, c.needsUpgrade);
    }
}

TEST(Passwords, GeneratedPasswordsUseTheUnambiguousAlphabet)
{
    constexpr int kSamples = 200;
    std::set<std::string> seen;
    std::set<char> charactersUsed;
    for (int i = 0; i < kSamples; ++i) {
        const std::string password = generatePassword();
        ASSERT_EQ(password.size(), kGeneratedPasswordLength);
        for (char c : password) {
            ASSERT_NE(kGeneratedPasswordAlphabet.find(c), std::string_view::npos) << password;
            charactersUsed.insert(c);
        }
        seen.insert(password);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kSamples));
    EXPECT_EQ(charactersUsed.size(), kGeneratedPasswordAlphabet.size());
    for (char ambiguous : std::string_view("0O1lI"))
        EXPECT_EQ(kGeneratedPasswordAlphabet.find(ambiguous), std::string_view::npos) << ambiguous;
}

TEST(Passwords, GeneratedPasswordVerifiesAfterHashing)
{
    const std::string password = generatePassword();
    EXPECT_TRUE(verifyPassword(hashPassword(password), password).ok);
}

} // namespace
} // namespace zorv::signin
