#pragma once

#include "common/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zorv::admin {

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
