#include "signin/RememberToken.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <array>
#include <set>
#include <string>

namespace zorv::signin::remember {
namespace {

using std::chrono::days;
using std::chrono::seconds;
using TimePoint = std::chrono::system_clock::time_point;

TEST(RememberToken, NewTokensAreRandomUrlSafeAndCarry256Bits)
{
    ASSERT_GE(sodium_init(), 0);
    constexpr int kSamples = 64;
    std::set<std::string> seen;
    for (int i = 0; i < kSamples; ++i) {
        const std::string token = newToken();
        ASSERT_EQ(token.size(), kTokenTextLength);
        ASSERT_TRUE(isWellFormed(token)) << token;
        std::array<unsigned char, kTokenBytes + 1> decoded{};
        std::size_t decodedLength = 0;
        ASSERT_EQ(sodium_base642bin(decoded.data(), decoded.size(), token.data(), token.size(), nullptr,
                                    &decodedLength, nullptr, sodium_base64_VARIANT_URLSAFE_NO_PADDING),
                  0);
        EXPECT_EQ(decodedLength, kTokenBytes);
        seen.insert(token);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kSamples));
}

TEST(RememberToken, HashIsBlake2b256InLowerCaseHex)
{
    struct Case {
        const char* token;
        const char* hash;
    };
    const Case cases[] = {
        {"", "0e5751c026e543b2e8ab2eb06099daa1d1e5df47778f7787faab45cdf12fe3a8"},
        {"abc", "bddd813c634239723171ef3fee98579b94964e3bb1cb3e427262c8c068d52319"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(tokenHash(c.token), c.hash);
        EXPECT_TRUE(matchesHash(c.token, c.hash));
    }
}

TEST(RememberToken, CheckAgainstStoredRow)
{
    const std::string token = newToken();
    const std::string otherToken = newToken();
    const TimePoint issued = TimePoint{} + days(20000);
    const TimePoint expiry = expiresAt(issued, kDefaultCookieDays);
    const StoredToken live{tokenHash(token), expiry, false};
    const StoredToken revoked{tokenHash(token), expiry, true};
    std::string oneCharChanged = token;
    oneCharChanged.back() = oneCharChanged.back() == 'A' ? 'B' : 'A';

    struct Case {
        const char* name;
        std::string presented;
        StoredToken stored;
        TimePoint now;
        TokenCheck expected;
    };
    const Case cases[] = {
        {"right token, just issued", token, live, issued, TokenCheck::Valid},
        {"right token, last second", token, live, expiry - seconds(1), TokenCheck::Valid},
        {"right token at expiry", token, live, expiry, TokenCheck::Expired},
        {"right token after expiry", token, live, expiry + days(1), TokenCheck::Expired},
        {"revoked", token, revoked, issued, TokenCheck::Revoked},
        {"revoked and expired", token, revoked, expiry, TokenCheck::Revoked},
        {"another user's token", otherToken, live, issued, TokenCheck::Mismatch},
        {"one character changed", oneCharChanged, live, issued, TokenCheck::Mismatch},
        {"the stored hash presented as token", live.hash, live, issued, TokenCheck::Malformed},
        {"empty cookie", "", live, issued, TokenCheck::Malformed},
        {"one character short", token.substr(1), live, issued, TokenCheck::Malformed},
        {"padding added", token + "=", live, issued, TokenCheck::Malformed},
        {"standard base64 characters", "+" + token.substr(1), live, issued, TokenCheck::Malformed},
        {"old bare username cookie", "admin", live, issued, TokenCheck::Malformed},
        {"stored hash empty", token, StoredToken{"", expiry, false}, issued, TokenCheck::Mismatch},
        {"stored hash of the right length, wrong value", token, StoredToken{std::string(live.hash.size(), 'F'), expiry, false}, issued,
         TokenCheck::Mismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(check(c.presented, c.stored, c.now), c.expected);
    }
}

TEST(RememberToken, LifetimeFollowsCookieDaysWithinBounds)
{
    struct Case {
        int cookieDays;
        int expectedDays;
    };
    const Case cases[] = {
        {30, 30}, {1, 1}, {7, 7}, {0, kDefaultCookieDays}, {-5, kDefaultCookieDays}, {365, 365}, {100000, kMaxCookieDays},
    };
    const TimePoint issued = TimePoint{} + days(20000);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cookieDays);
        EXPECT_EQ(lifetime(c.cookieDays), days(c.expectedDays));
        EXPECT_EQ(expiresAt(issued, c.cookieDays), issued + days(c.expectedDays));
    }
}

} // namespace
} // namespace zorv::signin::remember
