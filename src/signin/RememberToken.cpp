#include "signin/RememberToken.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace zorv::signin::remember {
namespace {

constexpr int kBase64Variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;
static_assert(kTokenHashHexLength == 2 * crypto_generichash_BYTES);

void ensureSodium()
{
    static const int initResult = sodium_init();
    if (initResult < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

bool isUrlSafeBase64Char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

} // namespace

std::string newToken()
{
    ensureSodium();
    std::array<unsigned char, kTokenBytes> bytes{};
    randombytes_buf(bytes.data(), bytes.size());
    char text[sodium_base64_ENCODED_LEN(kTokenBytes, kBase64Variant)];
    sodium_bin2base64(text, sizeof text, bytes.data(), bytes.size(), kBase64Variant);
    sodium_memzero(bytes.data(), bytes.size());
    return text;
}

bool isWellFormed(std::string_view text)
{
    return text.size() == kTokenTextLength && std::all_of(text.begin(), text.end(), isUrlSafeBase64Char);
}

std::string tokenHash(std::string_view token)
{
    ensureSodium();
    std::array<unsigned char, crypto_generichash_BYTES> digest{};
    crypto_generichash(digest.data(), digest.size(), reinterpret_cast<const unsigned char*>(token.data()),
                       token.size(), nullptr, 0);
    char hex[kTokenHashHexLength + 1];
    sodium_bin2hex(hex, sizeof hex, digest.data(), digest.size());
    return hex;
}

bool matchesHash(std::string_view token, std::string_view storedHash)
{
    const std::string computed = tokenHash(token);
    if (storedHash.size() != computed.size())
        return false;
    return sodium_memcmp(computed.data(), storedHash.data(), computed.size()) == 0;
}

std::chrono::days lifetime(int cookieDays)
{
    if (cookieDays < 1)
        return std::chrono::days{kDefaultCookieDays};
    return std::chrono::days{std::min(cookieDays, kMaxCookieDays)};
}

std::chrono::system_clock::time_point expiresAt(std::chrono::system_clock::time_point issuedAt, int cookieDays)
{
    return issuedAt + lifetime(cookieDays);
}

TokenCheck check(std::string_view presented, const StoredToken& stored, std::chrono::system_clock::time_point now)
{
    if (!isWellFormed(presented))
        return TokenCheck::Malformed;
    if (!matchesHash(presented, stored.hash))
        return TokenCheck::Mismatch;
    if (stored.revoked)
        return TokenCheck::Revoked;
    if (now >= stored.expiresAt)
        return TokenCheck::Expired;
    return TokenCheck::Valid;
}

} // namespace zorv::signin::remember
