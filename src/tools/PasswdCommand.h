#pragma once

#include "tools/AdminExit.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zorv::admin {

/// "passwd --home DIR LOGIN [--staffno S]": sets the password of the web
/// login LOGIN (tLogin.AUSER, compared without regard to case; with --staffno
/// only the row of that staff number) to a hash of a new password read from
/// standard input (readNewPassword), then revokes every remember-me token of
/// the login. Refuses an unknown login, a login with rows for several staff
/// numbers when --staffno is not given (naming them), and an empty password;
/// the login is looked up before the password is asked for.
ExitCode runPasswd(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// Gives the new password, or nothing (having said why on err).
using PasswordReader = std::function<std::optional<std::string>(std::ostream& err)>;

/// runPasswd with the new password from readPassword.
ExitCode runPasswdWith(const std::vector<std::string>& args, const PasswordReader& readPassword, std::ostream& out,
                       std::ostream& err);

} // namespace zorv::admin
