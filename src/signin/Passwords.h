#pragma once

#include <string>
#include <string_view>

namespace zorv::signin {

/// Outcome of checking a typed password against the stored value.
struct PasswordCheck {
    bool ok = false;           ///< the typed password is right
    bool needsUpgrade = false; ///< ok, but the stored value should be replaced by hashPassword()
};

/// Marks a stored value as one of our Argon2id hashes; anything else is a
/// legacy plain-text password.
inline constexpr std::string_view kPasswordHashPrefix = "zw1$";

/// The value to store for a password: kPasswordHashPrefix followed by a salted
/// Argon2id hash of the ASCII upper-cased password (passwords stay
/// case-insensitive; UTF-8 bytes are hashed as they are). Throws
/// std::runtime_error if the hash cannot be computed (out of memory).
std::string hashPassword(std::string_view plain);

/// Checks typed against stored. A hashed value is verified with the
/// upper-cased typed password (needsUpgrade when it was made with other
/// limits than the current ones); a legacy plain value is compared without
/// regard to ASCII case in constant time for its length, and a match always
/// asks for an upgrade. An empty typed password never verifies.
PasswordCheck verifyPassword(std::string_view stored, std::string_view typed);

/// True when stored is one of our hashes rather than a legacy plain password.
bool isHashedPassword(std::string_view stored);

/// Characters of generated passwords: digits and capitals without 0/O and
/// 1/I (the letter l cannot appear because passwords are upper-cased).
inline constexpr std::string_view kGeneratedPasswordAlphabet = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
inline constexpr std::size_t kGeneratedPasswordLength = 10;

/// A new password of kGeneratedPasswordLength characters drawn uniformly from
/// kGeneratedPasswordAlphabet with the operating system's CSPRNG (50 bits).
std::string generatePassword();

} // namespace zorv::signin
