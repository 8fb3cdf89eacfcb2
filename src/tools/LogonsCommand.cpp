#include "tools/LogonsCommand.h"
#include "data/Aliases.h"

#include "data/db/Catalogue.h"
#include "data/db/Transaction.h"
#include "tools/InstallArgs.h"
#include "tools/InstallationDatabase.h"
#include "tools/PrintableText.h"

#include <array>
#include <fmt/format.h>
#include <functional>

namespace zorv::admin {

namespace {

constexpr std::string_view kSince = "--since";
constexpr std::string_view kWebDatabase = data::alias::kWeb;

/// The printed columns, in order; the last one is not padded.
constexpr std::size_t kColumnCount = 5;
using Cells = std::array<std::string, kColumnCount>;
const Cells kHeadings = {"time", "address", "login", "staff no", "reason"};
constexpr std::string_view kColumnGap = "  ";
/// The time column is as wide as a time, also when no row is printed.
constexpr std::size_t kTimeWidth = std::string_view("dd/mm/yyyy hh:nn:ss").size();

struct LogonsArgs {
    std::filesystem::path home;
    std::optional<Date> since;
};

std::optional<LogonsArgs> parse(const std::vector<std::string>& args, std::ostream& err)
{
    std::string error;
    const std::optional<CommandArgs> parsed = parseCommandArgs(args, {kSince}, {}, error);
    if (!parsed) {
        err << "zorvweb-admin logons: " << error << '\n';
        return std::nullopt;
    }
    LogonsArgs logons{parsed->home, std::nullopt};
    if (const auto since = parsed->option(kSince)) {
        logons.since = Date::parse(*since);
        if (!logons.since) {
            err << "zorvweb-admin logons: --since takes a date dd/mm/yyyy, not " << printableText(*since) << '\n';
            return std::nullopt;
        }
    }
    return logons;
}

Cells cellsOf(const db::Row& row)
{
    const db::Value& logged = row["DLOGGED"];
    return {logged.isNull() ? std::string() : logged.asDateTime().format(), printableText(row["IPADDRESS"].asString()),
            printableText(row["AUSERNAME"].asString()), printableText(row["ASTAFFNO"].asString()),
            printableText(row["AREASON"].asString())};
}

/// Reads the rows in the order they are printed, one at a time: the audit
/// table grows for years and is never held in memory as a whole.
class LogonReader {
public:
    LogonReader(db::Connection& web, const std::optional<Date>& since)
        // One snapshot for both passes, so the widths fit the rows printed.
        : transaction_(web, {db::TransactionOptions::Isolation::Snapshot, true}),
          statement_(transaction_.prepare(
              since ? "select DLOGGED, IPADDRESS, AUSERNAME, ASTAFFNO, AREASON from LOGIP where DLOGGED >= ? "
                      "order by DLOGGED"
                    : "select DLOGGED, IPADDRESS, AUSERNAME, ASTAFFNO, AREASON from LOGIP order by DLOGGED"))
    {
        if (since)
            params_.emplace_back(DateTime{*since, 0, 0, 0});
    }

    /// Calls visit with the cells of every row; returns the number of rows.
    std::size_t forEach(const std::function<void(const Cells&)>& visit)
    {
        db::Cursor cursor = statement_.open(transaction_, params_);
        std::size_t count = 0;
        while (cursor.next()) {
            visit(cellsOf(cursor.row()));
            ++count;
        }
        return count;
    }

private:
    db::Transaction transaction_;
    db::Statement statement_;
    db::Params params_;
};

std::string formatLine(const Cells& cells, const std::array<std::size_t, kColumnCount>& widths)
{
    std::string line;
    for (std::size_t i = 0; i + 1 < kColumnCount; ++i) {
        line += cells[i];
        line.append(widths[i] - displayWidth(cells[i]), ' ');
        line += kColumnGap;
    }
    line += cells.back();
    return line;
}

} // namespace

ExitCode runLogons(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<LogonsArgs> parsed = parse(args, err);
    if (!parsed)
        return ExitCode::Usage;
    try {
        db::Connection web = openApplicationDatabase(parsed->home, std::string(kWebDatabase));
        if (!db::tableExists(web, "LOGIP")) {
            out << "No logon has been recorded: the web database has no LOGIP table yet.\n";
            return ExitCode::Ok;
        }
        LogonReader reader(web, parsed->since);
        std::array<std::size_t, kColumnCount> widths{kTimeWidth};
        auto widen = [&](const Cells& cells) {
            for (std::size_t i = 0; i < kColumnCount; ++i)
                widths[i] = std::max(widths[i], displayWidth(cells[i]));
        };
        widen(kHeadings);
        reader.forEach(widen);
        out << formatLine(kHeadings, widths) << '\n';
        const std::size_t count = reader.forEach([&](const Cells& cells) { out << formatLine(cells, widths) << '\n'; });
        const std::string from = parsed->since ? " since " + parsed->since->format() : "";
        out << fmt::format("{} logon{}{}.\n", count, count == 1 ? "" : "s", from);
        return ExitCode::Ok;
    } catch (const std::exception& e) {
        err << "zorvweb-admin logons: " << e.what() << '\n';
        return ExitCode::Failed;
    }
}

} // namespace zorv::admin
