// The operations of the main data module that pages call: keys and staff
// numbers, leave schemes, master fields, messages, record locks and the
// logon audit.

#include "data/TdmMain.h"
#include "data/Aliases.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/MainCatalogue.h"
#include "data/MasterSort.h"
#include "data/RecordLocks.h"
#include "data/RowRules.h"
#include "data/SessionView.h"
#include "data/UniqueKeys.h"
#include "data/db/Catalogue.h"
#include "data/db/Connection.h"
#include "data/db/Transaction.h"
#include "server/ErrorLog.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace zorv::data {

namespace {

using zorv::data::alias::kGlobal;
using zorv::data::alias::kWeb;
constexpr const char* kMessagesDataset = "qryMessages";
constexpr const char* kDefaultLanguageColumn = "messageEN";

constexpr int kDefaultStaffNoPadding = 3;
constexpr int kMaxStaffNoPadding = 20;
/// Staff numbers tried before NewStaffNo gives up (each one the HR link holds).
constexpr int kMaxStaffNoAttempts = 1000;

constexpr int kMessageHeaderFound = 778;
constexpr int kMessageHeaderMissing = 779;
constexpr const char* kLineBreak = "\n\r";

// The messages of the record-lock operations.
constexpr int kCheckLock = 640;
constexpr int kTakeLock = 641;
constexpr int kReleaseLock = 642;
constexpr int kReleaseAllLocks = 643;

// LOGIP column widths.
constexpr std::size_t kAddressLength = 20;
constexpr std::size_t kReasonLength = 200;
constexpr std::size_t kNameLength = 100;

std::string leftPadded(std::string number, int width)
{
    const auto size = static_cast<int>(number.size());
    if (size < width)
        number.insert(0, static_cast<std::size_t>(width - size), '0');
    return number;
}

} // namespace

// --- keys and staff numbers ----------------------------------------------------------

int TdmMain::NextUnique(const std::string& counter) { return nextUnique(connection(kGlobal), counter); }

bool TdmMain::StaffNoFree(const std::string& staffNo)
{
    return employeeConnection().query("select count(*) from Master where StaffNo = ?", {staffNo}).first()[0].asInt() ==
           0;
}

bool TdmMain::HrLinkExists(const std::string& staffNo)
{
    return connection(kGlobal).query("select count(*) from t_HRLnk where STAFFNO = ?", {staffNo}).first()[0].asInt() >
           0;
}

void TdmMain::SaveHrLink(const HrLink& link)
{
    const std::string database = session().databaseName();
    db::Transaction transaction(connection(kGlobal));
    const std::uint64_t updated = transaction.execute(
        "update t_HRLnk set AName = ?, aDatabase = ?, aForeNames = ?, aSurname = ?, AGender = ?, DDOB = ? "
        "where upper(STAFFNO) = upper(?)",
        {link.name, database, link.forenames, link.surname, link.gender, link.dateOfBirth, link.staffNo});
    if (updated == 0)
        transaction.execute(
            "insert into t_HRLnk (STAFFNo, AName, aDatabase, aForeNames, aSurname, AGender, DDOB) "
            "values (?, ?, ?, ?, ?, ?, ?)",
            {link.staffNo, link.name, database, link.forenames, link.surname, link.gender, link.dateOfBirth});
    transaction.commit();
}

std::string TdmMain::globalIniPath() const
{
    const Ini zorvweb(zorvwebIniPath());
    std::filesystem::path folder(zorvweb.readString("PROGRAM", "GlobalSystemDirectory", ""));
    if (folder.is_relative())
        folder = programFolder() / folder;
    return (folder / "global.ini").string();
}

std::string TdmMain::NewStaffNo(const std::string& counter)
{
    const Ini global(globalIniPath());
    if (!global.readBool("StaffNo", "GenerateStaffNo", false))
        return {};
    const int padding =
        std::clamp(global.readInteger("StaffNo", "StaffNoPadding", kDefaultStaffNoPadding), 0, kMaxStaffNoPadding);
    for (int attempt = 0; attempt < kMaxStaffNoAttempts; ++attempt) {
        std::string staffNo = leftPadded(std::to_string(NextUnique(counter)), padding);
        if (!HrLinkExists(staffNo))
            return staffNo;
    }
    throw std::runtime_error("No free staff number found from counter " + counter + ".");
}

// --- leave schemes and leave year --------------------------------------------------------

int TdmMain::DefaultSchemeId()
{
    try {
        const db::ResultSet schemes = connection(kGlobal).query(
            "select ISchemeID from TcmpHSch where upper(LDefaultScheme) = ? order by ISchemeID", {"TRUE"});
        return schemes.empty() ? 0 : static_cast<int>(schemes[0][0].asInt());
    } catch (const std::exception& e) {
        ShowMessage(e.what());
        return 0;
    }
}

std::string TdmMain::SchemeName(int id)
{
    const db::ResultSet schemes = connection(kGlobal).query("select ASCHEME from TcmpHSch where ischemeID = ?", {id});
    return schemes.empty() ? std::string() : schemes[0][0].asString();
}

Date TdmMain::LeaveYearStart()
{
    const db::ResultSet params =
        connection(kGlobal).query("select CurrentLeaveYear, LeaveYearStartMonth, LeaveYearStartDay from Params");
    const Date start{static_cast<int>(params.first()[0].asInt()), static_cast<int>(params.first()[1].asInt()),
                     static_cast<int>(params.first()[2].asInt())};
    if (!start.isValid())
        throw std::runtime_error("The leave year in table Params does not give a valid start date.");
    return start;
}

Date TdmMain::LeaveYearEnd()
{
    const db::Value end = connection(kGlobal).query("select LeaveYearEndDate from Params").first()[0];
    if (end.isNull())
        throw std::runtime_error("Table Params has no leave year end date.");
    return end.asDate();
}

// --- master rows ---------------------------------------------------------------------

void TdmMain::FillPostName(Dataset& dataset)
{
    if (!dataset.hasField("PostName") || !dataset.hasField("Surname"))
        return;
    auto text = [&](std::string_view field) { return dataset.hasField(field) ? dataset.fieldText(field) : ""; };
    dataset.setField("PostName", postName(text("ATitle"), text("Forenames"), text("Surname")));
}

void TdmMain::FillAge(Dataset& dataset, const Date& today)
{
    if (!dataset.hasField("DOB") || !dataset.hasField("Age"))
        return;
    const db::Value& dob = dataset.field("DOB");
    dataset.setField("Age", dob.isNull() ? db::Value() : db::Value(ageOn(dob.asDate(), today)));
}

void TdmMain::FillAge(Dataset& dataset) { FillAge(dataset, clock_().date); }

std::optional<std::string> TdmMain::MasterSortOrder(const std::string& alias)
{
    const std::string sort = trim(Ini(zorvwebIniPath()).readString("master", "sort", ""));
    if (sort.empty())
        return std::nullopt;
    db::Connection& database = connection(alias);
    std::optional<std::string> order =
        checkedSortOrder(sort, [&](const std::string& column) { return db::columnExists(database, "MASTER", column); });
    if (!order)
        logError("Error-MasterSort", "zorvweb.ini [master] sort is ignored: not a list of master columns: " + sort);
    return order;
}

bool TdmMain::ApplyMasterSort(Dataset& dataset)
{
    const std::optional<std::string> order = MasterSortOrder(dataset.databaseName());
    if (!order)
        return false;
    // Applying it again (a page opened twice) replaces the order it added.
    auto [base, inserted] = unsortedSql_.try_emplace(&dataset, dataset.sql());
    dataset.setSql(base->second + " Order by " + *order);
    return true;
}

// --- messages --------------------------------------------------------------------------

void TdmMain::ShowMessage(const std::string& text) noexcept
{
    try {
        session().showMessage(replaceAll(text, kLineBreak, ". "));
    } catch (...) {
        // A message that cannot be shown is dropped.
    }
}

Dataset& TdmMain::messages()
{
    Dataset& messages = dataset(kMessagesDataset);
    if (!messages.active())
        open(messages);
    return messages;
}

std::string TdmMain::MessageText(int number)
{
    Dataset& texts = messages();
    if (!texts.locate({{"IKEY", number}}))
        return std::to_string(number);
    const std::string column = "message" + session().language();
    return texts.fieldText(texts.hasField(column) ? column : kDefaultLanguageColumn);
}

std::string TdmMain::MessageHeader(int number)
{
    if (messages().locate({{"IKEY", number}}))
        return MessageText(kMessageHeaderFound) + " " + std::to_string(number) + kLineBreak;
    return MessageText(kMessageHeaderMissing) + kLineBreak;
}

void TdmMain::showNumberedMessage(int number, const std::string& detail) noexcept
{
    std::string text;
    try {
        text = MessageHeader(number) + MessageText(number);
    } catch (...) {
        text = "Error " + std::to_string(number);
    }
    if (!detail.empty())
        text += kLineBreak + detail;
    ShowMessage(text);
}

// --- record locks ------------------------------------------------------------------------

void TdmMain::reportLockError(int number, const std::exception& error) noexcept
{
    logError("Error-RecordLock", error.what());
    const bool withDetail = number == kTakeLock || number == kReleaseAllLocks;
    showNumberedMessage(number, withDetail ? std::string(error.what()) : std::string());
}

bool TdmMain::IsRecordLocked(const std::string& record, const std::string& lockId, std::string& lockUser)
{
    try {
        const std::optional<std::string> holder = RecordLocks(employeeConnection()).holder(record, lockId);
        lockUser = holder.value_or("");
        return holder.has_value();
    } catch (const std::exception& e) {
        reportLockError(kCheckLock, e);
        return false;
    }
}

bool TdmMain::LockRecord(const std::string& lockId, const std::string& record, const std::string& user)
{
    try {
        return RecordLocks(employeeConnection()).lock(lockId, record, user);
    } catch (const std::exception& e) {
        reportLockError(kTakeLock, e);
        return false;
    }
}

bool TdmMain::UnlockRecord(const std::string& record, const std::string& lockId)
{
    try {
        RecordLocks(employeeConnection()).unlock(record, lockId);
        return true;
    } catch (const std::exception& e) {
        reportLockError(kReleaseLock, e);
        return false;
    }
}

bool TdmMain::UnlockAllForUser()
{
    if (!employeeConnected())
        return true; // no employee database, so no lock either
    try {
        RecordLocks(employeeConnection()).unlockAll(session().userName());
        return true;
    } catch (const std::exception& e) {
        reportLockError(kReleaseAllLocks, e);
        return false;
    }
}

// --- logon audit ---------------------------------------------------------------------------

void TdmMain::WriteLogonAudit(const std::string& address, const std::string& reason, const std::string& staffNo,
                              const std::string& userName)
{
    connection(kWeb).execute(
        "insert into LOGIP (IPADDRESS, DLOGGED, AREASON, AUsername, Astaffno) values (?, ?, ?, ?, ?)",
        {firstCharacters(address, kAddressLength), clock_(), firstCharacters(reason, kReasonLength),
         firstCharacters(userName, kNameLength), firstCharacters(staffNo, kNameLength)});
}

} // namespace zorv::data
