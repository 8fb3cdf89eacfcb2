#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace zorv::signin::remember {

/// Random bytes in a token (256 bits).
inline constexpr std::size_t kTokenBytes = 32;
/// Length of a token as text: URL-safe base64 without padding.
inline constexpr std::size_t kTokenTextLength = 43;
/// Length of tokenHash() as hex.
inline constexpr std::size_t kTokenHashHexLength = 64;

/// Cookie life when [Program] CookieDays is missing or not positive, and the
/// longest life a site may configure.
inline constexpr int kDefaultCookieDays = 30;
inline constexpr int kMaxCookieDays = 365;

/// A new remember-me token from the operating system's CSPRNG, as
/// kTokenTextLength URL-safe characters fit for a cookie value.
std::string newToken();

/// True when text has the form of a token (length and alphabet); anything else
/// is refused before it is hashed or looked up.
bool isWellFormed(std::string_view text);

/// The value stored server-side for a token: its BLAKE2b-256 hash in lower-case
/// hex. The token itself is never stored.
std::string tokenHash(std::string_view token);

/// Compares tokenHash(token) with a stored hash in constant time.
bool matchesHash(std::string_view token, std::string_view storedHash);

/// The life of a token for a configured CookieDays: kDefaultCookieDays when
/// cookieDays < 1, at most kMaxCookieDays.
std::chrono::days lifetime(int cookieDays);

/// When a token issued at issuedAt stops being accepted.
std::chrono::system_clock::time_point expiresAt(std::chrono::system_clock::time_point issuedAt, int cookieDays);

/// Why a presented cookie token is or is not accepted.
enum class TokenCheck { Valid, Malformed, Mismatch, Revoked, Expired };

/// The stored side of a token, as read from the token table.
struct StoredToken {
    std::string hash;
    std::chrono::system_clock::time_point expiresAt;
    bool revoked = false;
};

/// Checks a presented token against its stored row at now, in the order
/// form, hash, revocation, expiry.
TokenCheck check(std::string_view presented, const StoredToken& stored, std::chrono::system_clock::time_point now);

} // namespace zorv::signin::remember
