#include "tools/InstallArgs.h"

#include "common/Text.h"
#include "tools/DemoStaff.h"
#include "tools/Installation.h"

#include <fmt/format.h>
#include <limits>

namespace zorv::admin {

std::optional<InstallArgs> parseInstallArgs(const std::vector<std::string>& args, InstallOptions options,
                                            std::string& error)
{
    InstallArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const std::optional<long long> number = parseWholeNumber(value);
        if (name == "--home") {
            parsed.home = value;
        } else if (options.demo && name == "--employees") {
            if (!number) {
                error = "--employees takes a number, not " + value;
                return std::nullopt;
            }
            if (*number < kMinimumEmployees || *number > kMaximumEmployees) {
                error = fmt::format("--employees must be between {} and {}", kMinimumEmployees, kMaximumEmployees);
                return std::nullopt;
            }
            parsed.employees = static_cast<int>(*number);
        } else if (options.demo && name == "--seed") {
            if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max()) {
                error = "--seed takes a number from 0 to 4294967295, not " + value;
                return std::nullopt;
            }
            parsed.seed = static_cast<std::uint32_t>(*number);
        } else if (options.demo && name == "--today") {
            parsed.today = Date::parse(value);
            if (!parsed.today) {
                error = "--today takes a date dd/mm/yyyy, not " + value;
                return std::nullopt;
            }
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
    }
    if (parsed.home.empty()) {
        error = "--home DIR is required";
        return std::nullopt;
    }
    return parsed;
}

} // namespace zorv::admin
