#include "data/TdmMain.h"
#include "data/Aliases.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/DesignNames.h"
#include "data/MainCatalogue.h"
#include "data/RowRules.h"
#include "data/SessionAudit.h"
#include "data/SessionView.h"
#include "data/Tdmdata.h"
#include "data/UniqueKeys.h"
#include "data/db/Connection.h"

#include <stdexcept>

namespace zorv::data {

namespace {

using zorv::data::alias::kGlobal;
constexpr const char* kDefaultKeyColumn = "iKey";
constexpr const char* kAppraisalDataset = "qryEmpApr";
constexpr const char* kCurrentAbsenceClass = "Current";
/// New education rows start with notes of this many blanks.
constexpr std::size_t kEducationNotesBlanks = 31;

/// The absence rows of qryEmpAbs when zorvweb.ini [Filtered] qryempabs is on:
/// those starting on or after 1 February of the current year.
constexpr const char* kFilteredAbsenceSql =
    "SELECT * FROM Absence WHERE StaffNo = :EMPNO and StartDate >= :FilterFrom ORDER By StartDate Desc";
constexpr int kAbsenceFilterMonth = 2;

using RowHandler = std::function<void(Dataset&)>;

/// One handler that runs the given ones in order; empty when there are none.
RowHandler chain(std::vector<RowHandler> handlers)
{
    if (handlers.empty())
        return {};
    if (handlers.size() == 1)
        return std::move(handlers.front());
    return [handlers = std::move(handlers)](Dataset& dataset) {
        for (const auto& handler : handlers)
            handler(dataset);
    };
}

bool isEmployeeEntry(const MainDatasetEntry& entry) { return iequals(entry.database, kEmployeeDesignName); }

} // namespace

TdmMain::TdmMain(DataContext context)
    : DataModule("dmMain", std::move(context)), clock_(&DateTime::now), employeeAlias_(kEmployeeDesignName)
{
    addCatalogue();
    applyQueryFilters();
    useWebAuditFolder(wcLogFile);
}

TdmMain::~TdmMain() = default;

Dataset& TdmMain::dataset(std::string_view name)
{
    if (Dataset* found = findDataset(name))
        return *found;
    throw std::logic_error(this->name() + " has no dataset " + std::string(name));
}

// --- catalogue and row rules ----------------------------------------------------------

void TdmMain::addCatalogue()
{
    for (const MainDatasetEntry& entry : mainCatalogue()) {
        Dataset& added = addDataset(entry.name, entry.database, entry.sql, isEmployeeEntry(entry) ? 1 : 0);
        if (entry.updateTable)
            added.setUpdateTable(entry.updateTable, split(entry.keys, ','));
        if (entry.readsFrom)
            added.setUpdateSource(entry.readsFrom, split(entry.keys, ','));
        addRowRules(added, entry);
    }
}

void TdmMain::addRowRules(Dataset& dataset, const MainDatasetEntry& entry)
{
    dataset.onNewRecord = chain(newRowRules(entry));
    dataset.beforePost = chain(beforePostRules(entry));
    if (hasRule(entry.rules, RowRule::Education))
        dataset.afterInsert = [this](Dataset& d) {
            d.edit();
            setNewKey(d, "iEstabNo");
            d.post();
        };
    if (hasRule(entry.rules, RowRule::Appraisal)) {
        dataset.afterScroll = [this](Dataset& d) { followAppraisal(d); };
        dataset.afterClose = [this](Dataset&) { closeAppraisalDetails(); };
    }
    if (hasRule(entry.rules, RowRule::Audit))
        dataset.onUpdateRecord = auditChangesTo(
            wcLogFile, [this] { return session().userName(); }, "Web");
}

std::vector<TdmMain::RowHandler> TdmMain::newRowRules(const MainDatasetEntry& entry)
{
    std::vector<RowHandler> rules;
    if (hasRule(entry.rules, RowRule::NewKey)) {
        const std::string column = entry.keyColumn ? entry.keyColumn : kDefaultKeyColumn;
        rules.push_back([this, column](Dataset& d) { setNewKey(d, column); });
    }
    if (hasRule(entry.rules, RowRule::Master))
        rules.push_back([this](Dataset& d) { masterDefaults(d); });
    if (hasRule(entry.rules, RowRule::Education))
        rules.push_back([](Dataset& d) { d.setField("MNotes", std::string(kEducationNotesBlanks, ' ')); });
    if (hasRule(entry.rules, RowRule::Allowance))
        rules.push_back([](Dataset& d) { d.setField("NOccurance", 1); });
    if (hasRule(entry.rules, RowRule::AppraisalDetail))
        rules.push_back([this](Dataset& d) { copyAppraisalKeys(d); });
    return rules;
}

std::vector<TdmMain::RowHandler> TdmMain::beforePostRules(const MainDatasetEntry& entry)
{
    std::vector<RowHandler> rules;
    if (hasRule(entry.rules, RowRule::Master))
        rules.push_back([](Dataset& d) {
            if (trim(d.fieldText("absclass")).empty())
                d.setField("absclass", kCurrentAbsenceClass);
        });
    if (hasRule(entry.rules, RowRule::Allowance))
        rules.push_back([this](Dataset& d) { allowanceBeforePost(d); });
    if (hasRule(entry.rules, RowRule::DateParts) || hasRule(entry.rules, RowRule::YearPart)) {
        const std::string field = entry.dateField;
        const bool yearOnly = hasRule(entry.rules, RowRule::YearPart);
        rules.push_back([field, yearOnly](Dataset& d) { setDateParts(d, field, yearOnly); });
    }
    if (hasRule(entry.rules, RowRule::Hours))
        rules.push_back(&fillHoursText);
    return rules;
}

void TdmMain::applyQueryFilters()
{
    const Ini zorvweb(zorvwebIniPath());
    if (!zorvweb.readBool("Filtered", "qryempabs", false))
        return;
    Dataset& absences = dataset("qryEmpAbs");
    absences.setSql(kFilteredAbsenceSql);
    absences.setParam("FilterFrom", Date{clock_().date.year, kAbsenceFilterMonth, 1});
}

void TdmMain::setNewKey(Dataset& dataset, const std::string& column)
{
    if (dataset.hasField(column))
        dataset.setField(column, NextUnique(kUniqueCounter));
}

std::string TdmMain::currentAbsenceClass()
{
    Ini zorvweb(zorvwebIniPath());
    const std::string section = "Client_" + session().profile();
    if (!zorvweb.valueExists(section, "CurrentClient")) {
        zorvweb.writeString(section, "CurrentClient", kCurrentAbsenceClass);
        return kCurrentAbsenceClass;
    }
    return zorvweb.readString(section, "CurrentClient", kCurrentAbsenceClass);
}

void TdmMain::masterDefaults(Dataset& master)
{
    master.setField("absclass", currentAbsenceClass());
    master.setField("ISchemeId", DefaultSchemeId());
    master.setField("LManHol", "False");
}

void TdmMain::allowanceBeforePost(Dataset& allowance)
{
    const db::ResultSet description = connection(kGlobal).query(
        "select aspdesc from tcmpsp where upper(aspcode) = upper(?)", {allowance.fieldText("aspcode")});
    allowance.setField("aspdesc", description.empty() ? db::Value() : description[0][0]);
    fillAllowanceAmount(allowance);
}

void TdmMain::followAppraisal(Dataset& appraisal)
{
    const std::string staffNo = appraisal.fieldText("StaffNo");
    if (trim(staffNo).empty()) {
        closeAppraisalDetails();
        return;
    }
    for (const char* name : kAppraisalDetails) {
        Dataset& detail = dataset(name);
        detail.close();
        detail.setParam("StaffNo", appraisal.field("StaffNo"));
        detail.setParam("iApprNo", appraisal.field("IApprNo"));
        open(detail);
    }
}

void TdmMain::closeAppraisalDetails() noexcept
{
    for (const char* name : kAppraisalDetails)
        if (Dataset* detail = findDataset(name))
            detail->close();
}

void TdmMain::copyAppraisalKeys(Dataset& detail)
{
    const Dataset& appraisal = dataset(kAppraisalDataset);
    if (!appraisal.active() || appraisal.isEmpty())
        return;
    detail.setField("StaffNo", appraisal.field("StaffNo"));
    detail.setField("iApprNo", appraisal.field("IApprNo"));
}

// --- employee database -------------------------------------------------------------

void TdmMain::ConnectEmployeeDatabase(const std::string& name)
{
    closeEmployeeDatasets();
    Dataset& list = dataset("tblDBList");
    open(list);
    std::string listed;
    std::string location;
    if (!list.isEmpty()) {
        if (!list.locate({{"NAME", name}}, true))
            list.first();
        listed = list.fieldText("NAME");
        location = list.fieldText("LOCATION");
    }
    list.close();
    session().setDatabaseName(listed);
    if (listed.empty())
        return;

    Tdmdata* shared = app();
    if (!shared)
        throw std::runtime_error("The databases are not open.");
    const std::string alias = shared->ensureEmployeeDatabase(listed, location);
    employeeAlias_ = alias;
    repointEmployeeDatasets(alias, true);
    shared->runEveryConnectCorrections(alias, name);
    for (DataModule* follower : followers_)
        follower->repointEmployeeDatasets(alias, true);
}

void TdmMain::MapDesignDatabaseNames(DataModule& module)
{
    Tdmdata* shared = app();
    mapDesignDatabaseNames(
        module, [shared](const std::string& alias) { return shared && shared->aliasExists(alias); }, employeeAlias_);
}

bool TdmMain::employeeConnected() const { return employeeAlias_ != kEmployeeDesignName; }

db::Connection& TdmMain::employeeConnection()
{
    if (!employeeConnected())
        throw std::runtime_error("No employee database is connected.");
    return connection(employeeAlias_);
}

} // namespace zorv::data
