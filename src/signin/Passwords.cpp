#include "signin/Passwords.h"

#include "common/Text.h"

#include <sodium.h>

#include <algorithm>
#include <semaphore>
#include <stdexcept>
#include <thread>

namespace zorv::signin {
namespace {

/// Argon2id cost: 2 passes over about 20 MiB, a few tens of milliseconds per
/// logon on a server core.
constexpr unsigned long long kHashOpsLimit = 2;
constexpr std::size_t kHashMemLimit = 20u * 1024u * 1024u;
static_assert(kHashOpsLimit >= crypto_pwhash_OPSLIMIT_MIN);
static_assert(kHashMemLimit >= crypto_pwhash_MEMLIMIT_MIN);

void ensureSodium()
{
    static const int initResult = sodium_init();
    if (initResult < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

/// Each hash holds kHashMemLimit while it runs. Running no more of them at
/// once than there are cores keeps a burst of logons from taking 20 MiB per
/// request thread; the others wait their turn, which costs them no more time.
class HashSlots {
public:
    HashSlots() : slots_(std::clamp<std::ptrdiff_t>(std::thread::hardware_concurrency(), 2, kMaxSlots)) {}

    template <class Work>
    auto run(Work work)
    {
        slots_.acquire();
        struct Release {
            std::counting_semaphore<kMaxSlots>& slots;
            ~Release() { slots.release(); }
        } release{slots_};
        return work();
    }

private:
    static constexpr std::ptrdiff_t kMaxSlots = 64;
    std::counting_semaphore<kMaxSlots> slots_;
};

HashSlots& hashSlots()
{
    static HashSlots slots;
    return slots;
}

/// Without a branch on the character, so the loop below runs the same way
/// whatever the passwords hold.
char asciiUpper(char c)
{
    const unsigned lower = static_cast<unsigned char>(c - 'a') < 26u;
    return static_cast<char>(c - static_cast<char>(lower << 5));
}

/// Case-insensitive equality that looks at every byte whatever differs first;
/// only the lengths leak.
bool equalsNoCaseConstantTime(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    unsigned difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(asciiUpper(a[i]) ^ asciiUpper(b[i]));
    return difference == 0;
}

PasswordCheck verifyHashed(std::string_view stored, std::string_view typed)
{
    const std::string sodiumHash(stored.substr(kPasswordHashPrefix.size()));
    const std::string upper = toUpper(typed);
    const int verified = hashSlots().run(
        [&] { return crypto_pwhash_str_verify(sodiumHash.c_str(), upper.data(), upper.size()); });
    if (verified != 0)
        return {};
    const bool otherLimits =
        crypto_pwhash_str_needs_rehash(sodiumHash.c_str(), kHashOpsLimit, kHashMemLimit) != 0;
    return {true, otherLimits};
}

} // namespace

bool isHashedPassword(std::string_view stored)
{
    return stored.starts_with(kPasswordHashPrefix);
}

std::string hashPassword(std::string_view plain)
{
    ensureSodium();
    const std::string upper = toUpper(plain);
    char out[crypto_pwhash_STRBYTES];
    const int hashed =
        hashSlots().run([&] { return crypto_pwhash_str(out, upper.data(), upper.size(), kHashOpsLimit, kHashMemLimit); });
    if (hashed != 0)
        throw std::runtime_error("password hash could not be computed");
    return std::string(kPasswordHashPrefix) + out;
}

PasswordCheck verifyPassword(std::string_view stored, std::string_view typed)
{
    if (typed.empty())
        return {};
    ensureSodium();
    if (isHashedPassword(stored))
        return verifyHashed(stored, typed);
    if (!equalsNoCaseConstantTime(stored, typed))
        return {};
    return {true, true};
}

std::string generatePassword()
{
    ensureSodium();
    std::string password;
    password.reserve(kGeneratedPasswordLength);
    const auto alphabetSize = static_cast<std::uint32_t>(kGeneratedPasswordAlphabet.size());
    for (std::size_t i = 0; i < kGeneratedPasswordLength; ++i)
        password += kGeneratedPasswordAlphabet[randombytes_uniform(alphabetSize)];
    return password;
}

} // namespace zorv::signin
