#include "leave/AbsenceCheck.h"

#include "common/Text.h"
#include "data/Dataset.h"
#include "data/RowRules.h"
#include "data/TdmMain.h"
#include "data/db/Connection.h"
#include "leave/AbsenceCost.h"
#include "leave/LeaveDuration.h"
#include "leave/LeaveSettings.h"
#include "server/DebugTrace.h"

#include <optional>
#include <stdexcept>

namespace zorv::leave {

namespace {

using data::Dataset;

constexpr const char* kAbsenceDataset = "qryEmpAbs";
constexpr const char* kPayDataset = "qrypay";
constexpr int kEndBeforeStart = 180;
constexpr int kNoCategory = 181;
constexpr const char* kAnnualLeaveCategory = "ANNUAL LEAVE";
constexpr const char* kDaysUnit = "DAYS";
constexpr const char* kHoursUnit = "HOURS";
constexpr const char* kTrue = "True";
constexpr const char* kTraceSection = "AbsenceUpdate";

struct Period {
    Date start;
    Date end;
};

/// What the check needs of the employee's master row.
struct MasterFacts {
    std::string staffNo;
    std::optional<int> schemeId;
    bool hasSchemeColumn = false; ///< costs are worked out only then
};

bool isEditing(const Dataset& dataset)
{
    return dataset.state() == data::DatasetState::Edit || dataset.state() == data::DatasetState::Insert;
}

bool isBlank(const db::Value& value)
{
    return value.isNull() || (value.kind() == db::ValueKind::Text && trim(value.asString()).empty());
}

/// Empty or 0: a duration the check works out itself.
bool isUnsetNumber(const db::Value& value)
{
    if (isBlank(value))
        return true;
    if (value.kind() != db::ValueKind::Text)
        return value.asDouble() == 0;
    const std::optional<db::Decimal> number = db::Decimal::parse(value.asString());
    return number && number->units == 0;
}

/// A number however it is stored; text that is not one reads as its leading
/// number, or 0.
double numberOf(const db::Value& value)
{
    if (value.isNull())
        return 0;
    if (value.kind() == db::ValueKind::Text)
        return leadingNumber(value.asString());
    return value.asDouble();
}

/// An amount column: empty is 0, text that is not a number throws.
double amountOf(const db::Value& value) { return isBlank(value) ? 0 : value.asDouble(); }

bool countsInHours(const std::string& unit) { return iequals(trim(unit), kHoursUnit); }
bool countsInDays(const std::string& unit) { return iequals(trim(unit), kDaysUnit); }

std::optional<Period> absencePeriod(const Dataset& absence)
{
    const db::Value& start = absence.field("StartDate");
    const db::Value& end = absence.field("EndDate");
    if (isBlank(start) || isBlank(end))
        return std::nullopt;
    const Period period{start.asDate(), end.asDate()};
    if (period.end < period.start)
        return std::nullopt;
    return period;
}

void showNumberedMessage(data::TdmMain& dmMain, int number)
{
    dmMain.ShowMessage(dmMain.MessageHeader(number) + dmMain.MessageText(number));
}

MasterFacts readMaster(data::TdmMain& dmMain, const std::string& currentStaffNo)
{
    const db::ResultSet master =
        employeeConnection(dmMain).query("select * from MASTER where STAFFNO = ?", {currentStaffNo});
    MasterFacts facts{currentStaffNo, std::nullopt, master.columns().find("ISCHEMEID").has_value()};
    if (master.empty())
        return facts;
    facts.staffNo = master[0]["STAFFNO"].asString();
    if (facts.hasSchemeColumn && !master[0]["ISCHEMEID"].isNull())
        facts.schemeId = static_cast<int>(master[0]["ISCHEMEID"].asInt());
    return facts;
}

/// Durations are stored to two decimals, as amounts are.
db::Value hundredths(double value) { return money(value); }

/// Days lost, hours and days: each worked out when empty or 0; days lost then
/// follows the column of the scheme's unit.
void fillDurations(data::TdmMain& dmMain, Dataset& absence, const std::string& staffNo, const std::string& unit,
                   const Period& period)
{
    auto lengthIn = [&](const std::string& wanted) {
        return hundredths(LeaveDuration(dmMain, staffNo, wanted, period.start, period.end));
    };
    if (isUnsetNumber(absence.field("DaysLost")))
        absence.setField("DaysLost", lengthIn(unit));
    if (absence.hasField("NHours")) {
        if (isUnsetNumber(absence.field("NHours")))
            absence.setField("NHours", lengthIn(kHoursUnit));
        if (!countsInDays(unit))
            absence.setField("DaysLost", absence.field("NHours"));
    }
    if (absence.hasField("NDays")) {
        if (isUnsetNumber(absence.field("NDays")))
            absence.setField("NDays", lengthIn(kDaysUnit));
        if (countsInDays(unit))
            absence.setField("DaysLost", absence.field("NDays"));
    }
}

/// Closes a dataset when the scope ends, also when an exception passes.
class ClosedOnExit {
public:
    explicit ClosedOnExit(Dataset& dataset) : dataset_(dataset) {}
    ~ClosedOnExit() { dataset_.close(); }
    ClosedOnExit(const ClosedOnExit&) = delete;
    ClosedOnExit& operator=(const ClosedOnExit&) = delete;

private:
    Dataset& dataset_;
};

/// The newest pay row of the absence's employee from on or before its start.
PayInForce readPay(data::TdmMain& dmMain, const Dataset& absence)
{
    Dataset& pay = dmMain.dataset(kPayDataset);
    pay.close();
    pay.setParam("Employee_Number", absence.field("StaffNo"));
    pay.setParam("PayDate", absence.field("StartDate"));
    const ClosedOnExit closed(pay);
    dmMain.open(pay);
    if (pay.isEmpty())
        return {};
    pay.first();
    return {pay.fieldText("PayBasis"), amountOf(pay.field("NPay")), amountOf(pay.field("ContractualHours")),
            amountOf(pay.field("HourlyRate"))};
}

} // namespace

AbsenceCheckResult CheckAbsenceRecord(data::TdmMain& dmMain, const std::string& currentStaffNo)
{
    Dataset& absence = dmMain.dataset(kAbsenceDataset);
    if (!isEditing(absence))
        throw std::logic_error("The absence check needs a row being added or edited.");
    const DebugTrace trace = DebugTrace::fromIni();
    trace.write(kTraceSection, "1", "Checking the absence of " + currentStaffNo);

    const std::optional<Period> period = absencePeriod(absence);
    if (!period) {
        showNumberedMessage(dmMain, kEndBeforeStart);
        return AbsenceCheckResult::Refused;
    }
    absence.setField("LActive", kTrue);
    if (iequals(trim(absence.fieldText("ACategory")), kAnnualLeaveCategory))
        absence.setField("IsAnnualLeave", kTrue);

    const MasterFacts master = readMaster(dmMain, currentStaffNo);
    const std::string unit = master.schemeId ? GetSchemeLeaveType(dmMain, *master.schemeId) : std::string();
    fillDurations(dmMain, absence, master.staffNo, unit, *period);
    trace.write(kTraceSection, "3", absence.fieldText("DaysLost"));

    if (trim(absence.fieldText("ACategory")).empty()) {
        showNumberedMessage(dmMain, kNoCategory);
        return AbsenceCheckResult::Refused;
    }
    if (absence.hasField("NCost")) {
        const double cost = master.hasSchemeColumn ? absenceCost(readPay(dmMain, absence),
                                                                 numberOf(absence.field("DaysLost")),
                                                                 countsInHours(unit))
                                                   : 0;
        absence.setField("NCost", money(cost));
    }
    data::setDateParts(absence, "StartDate", false);
    AbsenceTotalCost(absence);
    trace.write(kTraceSection, "4", "Passed");
    return AbsenceCheckResult::Passed;
}

void AbsenceTotalCost(Dataset& absence) noexcept
{
    if (!isEditing(absence))
        return;
    try {
        const double cost = amountOf(absence.field("NCost"));
        const double total = totalAbsenceCost(cost, amountOf(absence.field("AdditionalCost")),
                                              amountOf(absence.field("XOnCost")), amountOf(absence.field("NPayDed")));
        absence.setField("TotalCost", money(total));
    } catch (const std::exception&) {
        // A missing column or a value that is no number leaves the total as it was.
    }
}

void AbsenceTotalCost(data::TdmMain& dmMain) noexcept
{
    try {
        AbsenceTotalCost(dmMain.dataset(kAbsenceDataset));
    } catch (const std::exception&) {
        // A module without the absence dataset has no total to set.
    }
}

} // namespace zorv::leave
