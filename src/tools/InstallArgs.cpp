#include "tools/InstallArgs.h"

#include "common/Text.h"
#include "tools/DemoStaff.h"
#include "tools/Installation.h"

#include <algorithm>
#include <fmt/format.h>
#include <limits>

namespace zorv::admin {

namespace {

constexpr std::string_view kHome = "--home";

bool isOption(const std::string& arg) { return arg.size() > 1 && arg.front() == '-'; }

} // namespace

std::optional<std::string> CommandArgs::option(std::string_view name) const
{
    const auto found = options.find(name);
    if (found == options.end())
        return std::nullopt;
    return found->second;
}

std::optional<CommandArgs> parseCommandArgs(const std::vector<std::string>& args,
                                            const std::vector<std::string_view>& names,
                                            const std::vector<std::string_view>& positionalNames, std::string& error)
{
    CommandArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (!isOption(name)) {
            if (parsed.positional.size() == positionalNames.size()) {
                error = "unexpected argument " + name;
                return std::nullopt;
            }
            parsed.positional.push_back(name);
            continue;
        }
        const bool known = name == kHome || std::find(names.begin(), names.end(), name) != names.end();
        if (!known) {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        parsed.options[name] = args[++i];
    }
    const std::optional<std::string> home = parsed.option(kHome);
    if (!home || home->empty()) {
        error = "--home DIR is required";
        return std::nullopt;
    }
    if (parsed.positional.size() < positionalNames.size()) {
        error = std::string(positionalNames[parsed.positional.size()]) + " is required";
        return std::nullopt;
    }
    parsed.home = *home;
    return parsed;
}

std::optional<InstallArgs> parseInstallArgs(const std::vector<std::string>& args, InstallOptions options,
                                            std::string& error)
{
    std::vector<std::string_view> names;
    if (options.demo)
        names = {"--employees", "--seed", "--today"};
    const std::optional<CommandArgs> command = parseCommandArgs(args, names, {}, error);
    if (!command)
        return std::nullopt;
    InstallArgs parsed;
    parsed.home = command->home;
    if (const auto value = command->option("--employees")) {
        const std::optional<long long> number = parseWholeNumber(*value);
        if (!number) {
            error = "--employees takes a number, not " + *value;
            return std::nullopt;
        }
        if (*number < kMinimumEmployees || *number > kMaximumEmployees) {
            error = fmt::format("--employees must be between {} and {}", kMinimumEmployees, kMaximumEmployees);
            return std::nullopt;
        }
        parsed.employees = static_cast<int>(*number);
    }
    if (const auto value = command->option("--seed")) {
        const std::optional<long long> number = parseWholeNumber(*value);
        if (!number || *number < 0 || *number > std::numeric_limits<std::uint32_t>::max()) {
            error = "--seed takes a number from 0 to 4294967295, not " + *value;
            return std::nullopt;
        }
        parsed.seed = static_cast<std::uint32_t>(*number);
    }
    if (const auto value = command->option("--today")) {
        parsed.today = Date::parse(*value);
        if (!parsed.today) {
            error = "--today takes a date dd/mm/yyyy, not " + *value;
            return std::nullopt;
        }
    }
    return parsed;
}

} // namespace zorv::admin
