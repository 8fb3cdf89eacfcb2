#pragma once

#include "common/DateTime.h"
#include "data/DataModule.h"
#include "data/Rights.h"
#include "server/LogFile.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zorv::data {

struct MainDatasetEntry;

/// What SaveHrLink writes into the HR link of an employee.
struct HrLink {
    std::string staffNo;
    std::string name;
    std::string forenames;
    std::string surname;
    std::string gender;
    std::optional<Date> dateOfBirth;
};

/// Main data module of a session: the datasets through which the pages read
/// and edit the employee tables, the login and rights tables, the doctors'
/// claim tables and some global tables (see MainCatalogue.cpp), with their
/// row rules; the unique-key counter, record locks, messages, the employee
/// database connection and the session's audit log.
///
/// Datasets reading the employee database carry tag 1 and the design name
/// Emphrdb until ConnectEmployeeDatabase points them at "dbZorv" + name.
/// Every operation uses the connections of the session's current request.
class TdmMain : public DataModule {
public:
    using Clock = std::function<DateTime()>;

    explicit TdmMain(DataContext context);
    ~TdmMain() override;

    /// The session's audit trail, one file a day in the web audit folder;
    /// the update-record handlers of the datasets write to it (user = the
    /// session's UserName, source "Web"). Pass it to ApplyWithAudit.
    TLogFile wcLogFile;

    /// The dataset of that name (case ignored); throws std::logic_error when
    /// the module has none.
    Dataset& dataset(std::string_view name);

    /// The modules whose tag-1 datasets follow the employee database too, in
    /// the order they are re-pointed (dmWork, dmEmpDts, dmEmpCom, dmGlobal).
    /// Not owned; they must outlive this module or be unset first.
    void setEmployeeFollowers(std::vector<DataModule*> modules) { followers_ = std::move(modules); }
    /// Where "now" and "today" come from; the local clock by default.
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // --- employee database -----------------------------------------------------
    /// Connects the session to the employee database name of DBLIST (case
    /// ignored; the first row when name is not listed), sets the session's
    /// DatabaseName, and re-points the tag-1 datasets of this module and of
    /// the followers at it (open followers are reopened). An empty DBLIST
    /// leaves DatabaseName empty and re-points nothing. Database errors throw.
    void ConnectEmployeeDatabase(const std::string& name);
    /// The alias the employee datasets read: "dbZorv" + name once connected,
    /// else the design name Emphrdb.
    const std::string& employeeAlias() const { return employeeAlias_; }
    /// Turns the design-time database names of module's datasets into aliases
    /// (see mapDesignDatabaseNames); the installation's aliases.ini wins.
    void MapDesignDatabaseNames(DataModule& module);

    // --- keys and staff numbers --------------------------------------------------
    /// The next value of the SYSNO counter column (see nextUnique). Throws.
    int NextUnique(const std::string& counter);
    /// True when no master row of the employee database has that staff number.
    bool StaffNoFree(const std::string& staffNo);
    /// True when the HR link table has a row with that staff number.
    bool HrLinkExists(const std::string& staffNo);
    /// Updates the HR link row of the staff number (case ignored) or inserts
    /// it, with the session's DatabaseName as its database.
    void SaveHrLink(const HrLink& link);
    /// A new staff number from the counter when global.ini [StaffNo]
    /// GenerateStaffNo is on (empty otherwise), padded with zeros on the
    /// left to StaffNoPadding (3) digits; numbers the HR link already holds
    /// are skipped.
    std::string NewStaffNo(const std::string& counter);

    // --- leave schemes and leave year ----------------------------------------------
    /// The scheme marked as default ("TRUE" in any case); on error the message
    /// is shown and 0 returned; 0 when no scheme is marked.
    int DefaultSchemeId();
    /// The name of scheme id; empty when there is none.
    std::string SchemeName(int id);
    /// The first day of the current leave year (table Params); throws when
    /// Params holds no valid date.
    Date LeaveYearStart();
    /// The last day of the current leave year (table Params); throws likewise.
    Date LeaveYearEnd();

    // --- master rows ---------------------------------------------------------
    /// PostName = title, initials of the first two forenames and surname
    /// ("Dr M A Byrne"), when the dataset has PostName and Surname. The
    /// dataset must be in edit or insert state.
    void FillPostName(Dataset& dataset);
    /// Age = whole years since DOB on today (empty when DOB is), when the
    /// dataset has DOB and Age. The dataset must be in edit or insert state.
    void FillAge(Dataset& dataset, const Date& today);
    /// The same on the module clock's today.
    void FillAge(Dataset& dataset);
    /// Appends " Order by " + zorvweb.ini [master] sort to the dataset's
    /// statement when every comma-separated item is a column of table master
    /// optionally followed by asc or desc; another value is ignored and
    /// logged. Applying it again replaces the order it added. True when the
    /// order was applied.
    bool ApplyMasterSort(Dataset& dataset);
    /// The checked order of zorvweb.ini [master] sort for master in the
    /// database of alias (without " Order by "); nothing when the key is
    /// empty or not a list of master columns (then logged).
    std::optional<std::string> MasterSortOrder(const std::string& alias);

    // --- messages ------------------------------------------------------------
    /// Shows text in a message box of the session ("\n\r" becomes ". ");
    /// never fails.
    void ShowMessage(const std::string& text) noexcept;
    /// The text of message number in the session's language (English when
    /// that column is missing); the number as text when there is no such row.
    std::string MessageText(int number);
    /// MessageText(778) + " " + number + "\n\r" when message number exists,
    /// else MessageText(779) + "\n\r": the first line of a failed check.
    std::string MessageHeader(int number);

    // --- record visibility -------------------------------------------------------
    /// Rewrites an employee-list query (on master, or a table with a staffno
    /// column) so that it returns only the employees the session's user may
    /// see: see data::RestrictEmployeeSql. The user is the session's login,
    /// security code, group and staff number; byAbsenceClass limits the list
    /// to the profile's current absence class. Reads the rights on the
    /// request's CentQuennel, QuennelMain and employee connections and traces
    /// the steps while the debug switch is on. A blank sql shows message 591
    /// (header and text) and gives an empty result. Throws when no employee
    /// database is connected, on database errors, and for a restriction field
    /// that is no column of master: the caller then has no list to show.
    BoundSql RestrictEmployeeSql(const std::string& sql, bool byAbsenceClass);

    // --- record locks (TLock of the employee database) ------------------------------
    // On a database error each shows MessageHeader + MessageText of its
    // number (640 check, 641 lock, 642 unlock, 643 unlock all) and returns false.

    /// True when record is locked for lockId or every purpose (any lock when
    /// lockId is empty); lockUser is then the user holding it.
    bool IsRecordLocked(const std::string& record, const std::string& lockId, std::string& lockUser);
    /// Takes the lock for user; false when another user holds a conflicting one.
    bool LockRecord(const std::string& lockId, const std::string& record, const std::string& user);
    /// Releases the lock on record for lockId, whoever holds it.
    bool UnlockRecord(const std::string& record, const std::string& lockId);
    /// Releases every lock of the session's user (logout, session end).
    bool UnlockAllForUser();

    // --- logon audit -----------------------------------------------------------
    /// Adds a LOGIP row for a logon attempt, dated now. Values longer than
    /// their columns are cut. Throws on failure.
    void WriteLogonAudit(const std::string& address, const std::string& reason, const std::string& staffNo,
                         const std::string& userName);

private:
    using RowHandler = std::function<void(Dataset&)>;

    void addCatalogue();
    void addRowRules(Dataset& dataset, const MainDatasetEntry& entry);
    std::vector<RowHandler> newRowRules(const MainDatasetEntry& entry);
    std::vector<RowHandler> beforePostRules(const MainDatasetEntry& entry);
    void applyQueryFilters();
    void setNewKey(Dataset& dataset, const std::string& column);
    void masterDefaults(Dataset& master);
    void allowanceBeforePost(Dataset& allowance);
    void followAppraisal(Dataset& appraisal);
    void closeAppraisalDetails() noexcept;
    void copyAppraisalKeys(Dataset& detail);
    std::string currentAbsenceClass();
    std::string globalIniPath() const;
    /// qryMessages, opened on first use and kept for the session.
    Dataset& messages();
    /// Shows MessageHeader(number) + MessageText(number), followed by detail
    /// on a line of its own when given; never fails.
    void showNumberedMessage(int number, const std::string& detail = {}) noexcept;
    void reportLockError(int number, const std::exception& error) noexcept;
    bool employeeConnected() const;
    /// The connection to the session's employee database; throws when none
    /// is connected.
    db::Connection& employeeConnection();

    Clock clock_;
    std::string employeeAlias_;
    std::vector<DataModule*> followers_;
    std::map<const Dataset*, std::string> unsortedSql_; // statements before ApplyMasterSort
};

} // namespace zorv::data
