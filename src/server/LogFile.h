#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/DateTime.h"

namespace zorv {

/// One column of a changed row as the audit trail sees it. nullopt is SQL
/// NULL and is written as an empty field.
struct AuditField {
    std::string name;
    std::optional<std::string> oldValue;
    std::optional<std::string> newValue;
    bool isGraphic = false; ///< image columns are left out of the trail
};

/// One inserted, modified or deleted row: where it lives and its columns.
struct AuditRow {
    std::string moduleName;
    std::string datasetName;
    std::vector<AuditField> fields;
};

/// The kinds of change, by the numbers callers pass to TLogFile::LogChange.
enum class AuditAction { Insert = 0, Modify = 1, Delete = 2 };

/// Every byte of a stored record is XORed with this key.
inline constexpr unsigned char kAuditScrambleKey = 0x5A;
/// Width of the decimal length header in front of each record.
inline constexpr std::size_t kAuditHeaderWidth = 6;
/// The longest record the header can state; longer lines are cut to it.
inline constexpr std::size_t kMaxAuditRecordBytes = 999999;

/// The data-change audit trail of one session.
///
/// LogChange and LogText build text lines and keep them pending; Flush
/// appends them to the audit file (one record per line) and clears them.
/// An instance belongs to one session and is not itself thread-safe; any
/// number of instances, in this or other processes, may flush to one file
/// at once without interleaving records.
class TLogFile {
public:
    using Clock = std::function<DateTime()>;

    TLogFile();

    /// A fixed audit file. Clears the folder mode.
    void setLogFileName(std::string path);
    /// One file per day in folder: "<folder>/ddmmyyyy.zvl", chosen from the
    /// date at each flush. Clears the fixed file name.
    void setAuditFolder(std::string folder);
    /// The file the next flush would write to (now); empty when neither a
    /// file nor a folder is set.
    std::string logFileName() const;

    /// Kept for callers that report it: the trail holds no record list.
    int recordCount() const { return 0; }
    bool mirrorChanges() const { return mirrorChanges_; }
    /// Accepted and remembered; it changes nothing.
    void setMirrorChanges(bool on) { mirrorChanges_ = on; }

    /// Where dates and times of lines and of daily file names come from;
    /// the local clock by default.
    void setClock(Clock clock);

    /// Adds the line for one changed row. action: 0 insert, 1 modify,
    /// 2 delete (anything else throws std::invalid_argument). source names
    /// the page or process that made the change.
    void LogChange(int action, const std::string& user, const AuditRow& row,
                   const std::string& source);
    void LogChange(AuditAction action, const std::string& user, const AuditRow& row,
                   const std::string& source);
    /// Adds a free-text line.
    void LogText(const std::string& user, const std::string& context, const std::string& subject,
                 const std::string& staffNo);

    /// Appends every pending line to the audit file, in order, creating the
    /// file (mode 0640) when missing, then clears them. Nothing pending:
    /// nothing is written. On failure throws std::system_error and keeps the
    /// lines not yet written; without a file name throws std::logic_error.
    void Flush();
    /// Drops the pending lines (the changes they describe were not applied).
    void ClearPending() { pending_.clear(); }
    std::size_t pendingCount() const { return pending_.size(); }
    const std::vector<std::string>& pendingLines() const { return pending_; }

private:
    std::string fileNameAt(const DateTime& when) const;

    std::string fixedFile_;
    std::string folder_;
    bool mirrorChanges_ = false;
    Clock clock_;
    std::vector<std::string> pending_;
};

/// The stored form of one line: Windows-1252 text XORed with
/// kAuditScrambleKey, preceded by its byte count as "%6d".
std::string encodeAuditRecord(std::string_view utf8Line);

/// The lines of an audit file in UTF-8, in file order. whole is false when
/// the file ends inside a record or a length header does not parse; the
/// lines before that point are returned. Throws std::system_error when the
/// file cannot be read.
std::vector<std::string> readAuditFile(const std::string& path, bool& whole);

} // namespace zorv
