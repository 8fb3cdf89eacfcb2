#include "server/LogFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

#include "common/FileLock.h"
#include "common/Posix.h"
#include "common/Text.h"

namespace zorv {

namespace {

constexpr mode_t kAuditFileMode = 0640;
constexpr std::string_view kMaskedPassword = "********";
constexpr std::string_view kPasswordField = "APASSWORD";
constexpr std::string_view kDailyFileExtension = ".zvl";

/// A field holding a comma is quoted, its quotes doubled; anything else is
/// written as it is (a quote alone does not start quoting).
std::string quoteField(std::string_view text)
{
    if (text.find(',') == std::string_view::npos)
        return std::string(text);
    return "\"" + replaceAll(text, "\"", "\"\"") + "\"";
}

bool isPasswordField(const AuditField& field)
{
    return iequals(field.name, kPasswordField);
}

/// The text written for one value: NULL is empty, passwords never appear.
std::string valueText(const AuditField& field, const std::optional<std::string>& value)
{
    if (!value)
        return {};
    if (isPasswordField(field))
        return std::string(kMaskedPassword);
    return quoteField(*value);
}

const char* linePrefix(AuditAction action)
{
    switch (action) {
    case AuditAction::Insert:
        return "RI";
    case AuditAction::Modify:
        return "RM";
    case AuditAction::Delete:
        return "RD";
    }
    throw std::invalid_argument("unknown audit action");
}

std::string lineStart(std::string_view prefix, const DateTime& when, const std::string& user)
{
    std::string line(prefix);
    line += ',' + when.date.format() + ',' + when.formatTime() + ',' + quoteField(user);
    return line;
}

void appendField(std::string& line, AuditAction action, const AuditField& field)
{
    line += ',' + quoteField(field.name);
    if (action != AuditAction::Insert)
        line += ',' + valueText(field, field.oldValue);
    if (action != AuditAction::Delete)
        line += ',' + valueText(field, field.newValue);
}

AuditAction actionFromNumber(int action)
{
    bool known = action >= static_cast<int>(AuditAction::Insert) &&
                 action <= static_cast<int>(AuditAction::Delete);
    if (!known)
        throw std::invalid_argument("unknown audit action " + std::to_string(action));
    return static_cast<AuditAction>(action);
}

void lockWholeFile(int fd, const std::string& path)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            throwErrno("cannot lock " + path);
    }
}

/// The record length in a header of kAuditHeaderWidth characters: blanks,
/// then at least one digit, nothing else.
std::optional<std::size_t> parseHeader(std::string_view header)
{
    std::size_t firstDigit = header.find_first_not_of(' ');
    if (firstDigit == std::string_view::npos)
        return std::nullopt;
    std::size_t length = 0;
    for (char c : header.substr(firstDigit)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    return length;
}

void scramble(std::string& bytes)
{
    for (char& c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kAuditScrambleKey);
}

} // namespace

TLogFile::TLogFile() : clock_(&DateTime::now) {}

void TLogFile::setLogFileName(std::string path)
{
    fixedFile_ = std::move(path);
    folder_.clear();
}

void TLogFile::setAuditFolder(std::string folder)
{
    folder_ = std::move(folder);
    fixedFile_.clear();
}

std::string TLogFile::logFileName() const
{
    return fileNameAt(clock_());
}

void TLogFile::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

std::string TLogFile::fileNameAt(const DateTime& when) const
{
    if (!folder_.empty()) {
        std::string name = when.date.formatCompact() + std::string(kDailyFileExtension);
        return (std::filesystem::path(folder_) / name).string();
    }
    return fixedFile_;
}

void TLogFile::LogChange(int action, const std::string& user, const AuditRow& row,
                         const std::string& source)
{
    LogChange(actionFromNumber(action), user, row, source);
}

void TLogFile::LogChange(AuditAction action, const std::string& user, const AuditRow& row,
                         const std::string& source)
{
    std::string line = lineStart(linePrefix(action), clock_(), user);
    line += ',' + quoteField(source) + ',' + quoteField(row.moduleName) + ',' + quoteField(row.datasetName);
    for (const AuditField& field : row.fields) {
        if (!field.isGraphic)
            appendField(line, action, field);
    }
    pending_.push_back(std::move(line));
}

void TLogFile::LogText(const std::string& user, const std::string& context,
                       const std::string& subject, const std::string& staffNo)
{
    std::string line = lineStart("RT", clock_(), user);
    line += ',' + quoteField(context) + ',' + quoteField(subject) + ',' + quoteField(staffNo);
    pending_.push_back(std::move(line));
}

void TLogFile::Flush()
{
    if (pending_.empty())
        return;
    std::string path = fileNameAt(clock_());
    if (path.empty())
        throw std::logic_error("audit trail has no file name or folder");

    std::lock_guard<std::mutex> threads(processMutexFor(canonicalFilePath(path)));
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kAuditFileMode));
    if (!fd.valid())
        throwErrno("cannot open audit file " + path);
    lockWholeFile(fd.get(), path);

    std::size_t written = 0;
    try {
        for (; written < pending_.size(); ++written)
            writeAll(fd.get(), encodeAuditRecord(pending_[written]), path);
    } catch (...) {
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(written));
        throw;
    }
    pending_.clear();
    if (::fdatasync(fd.get()) != 0)
        throwErrno("cannot sync audit file " + path);
}

std::string encodeAuditRecord(std::string_view utf8Line)
{
    std::string record = utf8ToCp1252(utf8Line);
    if (record.size() > kMaxAuditRecordBytes)
        record.resize(kMaxAuditRecordBytes);
    scramble(record);
    std::string header = std::to_string(record.size());
    header.insert(0, kAuditHeaderWidth - header.size(), ' ');
    return header + record;
}

std::vector<std::string> readAuditFile(const std::string& path, bool& whole)
{
    std::optional<std::string> content = readFileIfExists(path);
    if (!content)
        throw std::system_error(ENOENT, std::generic_category(), "cannot open " + path);

    std::vector<std::string> lines;
    std::string_view rest = *content;
    whole = true;
    while (!rest.empty()) {
        std::optional<std::size_t> length;
        if (rest.size() >= kAuditHeaderWidth)
            length = parseHeader(rest.substr(0, kAuditHeaderWidth));
        if (!length || rest.size() - kAuditHeaderWidth < *length) {
            whole = false;
            break;
        }
        std::string record(rest.substr(kAuditHeaderWidth, *length));
        scramble(record);
        lines.push_back(cp1252ToUtf8(record));
        rest.remove_prefix(kAuditHeaderWidth + *length);
    }
    return lines;
}

} // namespace zorv
