#include "tools/AuditCommand.h"

#include <exception>
#include <optional>
#include <fmt/format.h>

#include "server/LogFile.h"
#include "tools/PrintableText.h"

namespace zorv::admin {

namespace {

constexpr std::string_view kCheckOption = "--check";

struct AuditArgs {
    bool check = false;
    std::vector<std::string> files;
};

bool looksLikeOption(const std::string& arg)
{
    return arg.size() > 1 && arg.front() == '-';
}

std::optional<AuditArgs> parseArgs(const std::vector<std::string>& args)
{
    AuditArgs parsed;
    auto it = args.begin();
    if (it != args.end() && *it == kCheckOption) {
        parsed.check = true;
        ++it;
    }
    for (; it != args.end(); ++it) {
        if (looksLikeOption(*it))
            return std::nullopt;
        parsed.files.push_back(*it);
    }
    if (parsed.files.empty())
        return std::nullopt;
    return parsed;
}

/// Handles one file; false when it is damaged or unreadable.
bool auditFile(const std::string& file, bool check, std::ostream& out, std::ostream& err)
{
    bool whole = false;
    std::vector<std::string> lines;
    try {
        lines = readAuditFile(file, whole);
    } catch (const std::exception& e) {
        err << file << ": cannot be read: " << e.what() << '\n';
        return false;
    }
    std::string verdict = whole ? fmt::format("{}: {} records, whole", file, lines.size())
                                : fmt::format("{}: damaged after record {}", file, lines.size());
    if (check) {
        out << verdict << '\n';
        return whole;
    }
    for (const std::string& line : lines)
        out << printableText(line) << '\n';
    if (!whole)
        err << verdict << '\n';
    return whole;
}

} // namespace

ExitCode runAudit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::optional<AuditArgs> parsed = parseArgs(args);
    if (!parsed)
        return ExitCode::Usage;
    bool allWhole = true;
    for (const std::string& file : parsed->files)
        allWhole = auditFile(file, parsed->check, out, err) && allWhole;
    return allWhole ? ExitCode::Ok : ExitCode::Failed;
}

} // namespace zorv::admin
