#pragma once

#include "data/db/Connection.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zorv::signin::remember {

// The server-side half of the remember-me cookie: table TREMEMBER of the web
// database holds the hash of each token with the login it stands for, when it
// was issued, when it expires and when it was revoked (times in UTC). The
// token itself is only ever in the browser's cookie.

using TimePoint = std::chrono::system_clock::time_point;

/// A token just stored, to be set as the cookie value.
struct Issued {
    std::string token;
    TimePoint expiresAt;
};

/// Whose login a redeemed token stood for.
struct Holder {
    std::string login;
    std::string staffNo;
};

/// Stores a new token for the tLogin row (login, staffNo), valid for
/// lifetime(cookieDays) from now. Throws DatabaseError.
Issued issue(db::Connection& web, const std::string& login, const std::string& staffNo, int cookieDays,
             TimePoint now);

/// Accepts a presented token once: it must be well formed, stored, not
/// revoked, not expired, and its login must still have a tLogin row. The
/// token is revoked in the same transaction (the caller issues a fresh one),
/// so a copied cookie works at most once. Nothing for any other token.
/// Throws DatabaseError.
std::optional<Holder> redeem(db::Connection& web, std::string_view presented, TimePoint now);

/// Revokes one presented token (logout); a token that is malformed or unknown
/// is ignored. Throws DatabaseError.
void revoke(db::Connection& web, std::string_view presented, TimePoint now);

/// Revokes every token of a login name, whatever its staff number (password
/// change); returns how many were still live. Throws DatabaseError.
std::uint64_t revokeAll(db::Connection& web, const std::string& login, TimePoint now);

} // namespace zorv::signin::remember
