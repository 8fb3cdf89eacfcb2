#pragma once

#include "tools/Random.h"
#include "tools/TableRows.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The product name of this system: [web] System and Users.ASYSTEM.
inline constexpr std::string_view kSystemName = "ZorvWork";
/// tLogin.AGROUP of a login that sees only its own record.
inline constexpr std::string_view kViewSelfOnly = "VIEW SELF ONLY";

/// What a login may do; decides its profile rights and screen rights.
enum class Role { Administrator, Supervisor, HumanResources, Employee, Doctor, DoctorsSupervisor, TimeKeeper };

std::string_view roleName(Role role);

/// A web login (tLogin) and the person behind it.
struct Login {
    std::string login;
    std::string staffNo;
    std::string password; ///< as typed; tLogin holds its hash (signin::hashPassword)
    std::string profile;  ///< Users.CUSERCODE
    std::string group;    ///< employee group, "VIEW SELF ONLY", or empty for everyone
    std::string database; ///< DBLIST name of its employee record (LASTDB)
    Role role;
    std::string supervisor; ///< login that supervises it (screen right "Supervised")
};

/// A profile (Users row of this system) with its view restriction.
struct Profile {
    std::string code;
    Role role;
    std::string restrictField;
    std::string restrictValue;
};

/// The demo logins, one per role; staff numbers of the hospital database.
std::span<const Login> demoLogins();
/// The demo profiles, one per role.
std::span<const Profile> demoProfiles();

/// TLOGIN (with the hash of the password) and its TUSERSEC screen rights (keys
/// from keys), in the web database.
void addLogin(DatabaseContent& web, const Login& login, KeySource& keys);
/// USERS, TSECTBL and TSECFLD rows of a profile in the central database, and
/// its navigation bars and buttons (TBARS, TBUTTONS) in the global set.
void addProfile(DatabaseContent& central, DatabaseContent& globalSet, const Profile& profile);

} // namespace zorv::admin
