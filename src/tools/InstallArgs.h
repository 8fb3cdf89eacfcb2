#pragma once

#include "common/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::admin {

/// The arguments of a command that works on an installation: the required
/// "--home DIR", its other "--name value" options and its positional
/// arguments, in order.
struct CommandArgs {
    std::filesystem::path home;
    std::map<std::string, std::string, std::less<>> options; ///< by name, "--" included
    std::vector<std::string> positional;

    /// The value of an option, or nothing when it was not given.
    std::optional<std::string> option(std::string_view name) const;
};

/// Parses args: every argument that starts with "-" is an option and takes
/// the next argument as its value; --home and the options in names are
/// allowed; one other argument must be given for each of positionalNames
/// (such as "LOGIN", named in the error). Nothing (with the reason in error)
/// when an option is unknown or has no value, a positional argument is
/// missing or one too many is given, or --home is missing.
std::optional<CommandArgs> parseCommandArgs(const std::vector<std::string>& args,
                                            const std::vector<std::string_view>& names,
                                            const std::vector<std::string_view>& positionalNames, std::string& error);

/// The options of the installation commands.
struct InstallArgs {
    std::filesystem::path home;
    int employees = 300;
    std::uint32_t seed = 1;
    std::optional<Date> today;
};

/// Which options a command takes besides --home.
struct InstallOptions {
    bool demo = false; ///< --employees N, --seed S, --today dd/mm/yyyy
};

/// Parses "--home DIR" and, for the demo, the other options; nothing (with
/// the reason in error) when an option is unknown, has no value, is not a
/// number or out of range, or --home is missing.
std::optional<InstallArgs> parseInstallArgs(const std::vector<std::string>& args, InstallOptions options,
                                            std::string& error);

} // namespace zorv::admin
