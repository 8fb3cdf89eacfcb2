// The table and field rights of a record screen (part of RecordScreen).

#include "common/Text.h"
#include "data/Dataset.h"
#include "data/MainCatalogue.h"
#include "data/ReferenceCache.h"
#include "data/TdmMain.h"
#include "data/db/Catalogue.h"
#include "data/Aliases.h"
#include "records/FieldControls.h"
#include "records/FieldRights.h"
#include "records/RecordForm.h"
#include "records/RecordScreen.h"
#include "records/ScreenNames.h"
#include "server/ErrorLog.h"
#include "server/TUserSession.h"
#include "web/Colour.h"
#include "web/controls/Label.h"

#include <stdexcept>

namespace zorv::records {

namespace {

constexpr const char* kHiddenFieldColour = "#c0c0c0";
constexpr const char* kFieldSecurityError = "Error while setting Field Security. ";
/// The dataset whose table TABLES does not name.
constexpr const char* kSubordinatesDataset = "qryEmpSub";
constexpr const char* kSubordinatesTable = "tEmpSub";

enum class TableAccess { Full, UpdateOnly, DataEntry, ReadOnly, None, Other };

TableAccess tableAccess(const std::string& right)
{
    static const std::pair<const char*, TableAccess> kRights[] = {
        {"Full", TableAccess::Full},           {"Update Only", TableAccess::UpdateOnly},
        {"Data Entry", TableAccess::DataEntry}, {"Read Only", TableAccess::ReadOnly},
        {"None", TableAccess::None},
    };
    for (const auto& [name, access] : kRights)
        if (iequals(trimView(right), name))
            return access;
    return TableAccess::Other;
}

/// The tSecTbl right of securityCode for table: "Full" without a row,
/// "UnKnown" with more than one. Both names compare without regard to case,
/// so that a code stored in another case does not pass for full rights.
std::string tableRight(db::Connection& central, const std::string& table, const std::string& securityCode)
{
    const db::ResultSet rows = central.query(
        "select ARIGHTS from TSECTBL where upper(AUSERCODE) = ? and upper(ATABLE) = ?",
        {toUpper(securityCode), toUpper(table)});
    if (rows.empty())
        return "Full";
    return rows.size() > 1 ? "UnKnown" : rows[0][0].asString();
}

/// Refuses to apply a modify that changes a column that names the row (its
/// keys, its employee); then runs the dataset's own update handler. Kept as
/// the dataset's handler while field rights rewrite its statements.
struct IdentityGuard {
    std::vector<std::string> identity;
    std::function<void(data::Dataset&, const data::PendingChange&)> next;

    void operator()(data::Dataset& dataset, const data::PendingChange& change) const
    {
        if (change.kind == data::UpdateKind::Modify) {
            for (const std::string& name : identity) {
                const std::optional<size_t> column = dataset.columns().find(name);
                if (column && (*change.oldValues)[*column] != (*change.newValues)[*column])
                    throw std::runtime_error(name + " cannot be changed on this screen.");
            }
        }
        if (next)
            next(dataset, change);
    }
};

} // namespace

std::string RecordScreen::screenTable(const data::Dataset& pageData)
{
    if (iequals(pageData.name(), kSubordinatesDataset))
        return kSubordinatesTable;
    const auto rows = data::ReferenceCache::instance().rows(
        user_.dmMain->connection(referenceAlias()), "select TABLENAME from TABLES where upper(DATASET) = ?",
        {toUpper(pageData.name())}, {"TABLES"});
    if (!rows->empty() && !trim((*rows)[0][0].asString()).empty())
        return trim((*rows)[0][0].asString());
    return table_.empty() ? pageData.updateTable() : table_;
}

bool RecordScreen::ApplyScreenRights(data::Dataset& pageData, bool isEmployeeSet)
{
    std::string table;
    std::string right;
    try {
        table = screenTable(pageData);
        right = tableRight(user_.dmMain->connection(data::alias::kCentral), table, user_.SecurityCode);
    } catch (const std::exception& e) {
        // Rights that cannot be read grant nothing.
        logError("Error-ScreenRights", e.what());
        right = "None";
    }
    suppressButtons(right);
    if (tableAccess(right) == TableAccess::None) {
        denyScreen();
        return false;
    }
    for (web::Control* shown : {host_.regedit ? host_.regedit : &host_.region, host_.imgEdit})
        if (shown)
            shown->setVisible(true);
    employeeSelect_ = kEmployeeSelect;
    try {
        if (tableAccess(right) == TableAccess::Full)
            restoreStatements(pageData, isEmployeeSet);
        else
            applyFieldRights(pageData, table, isEmployeeSet);
    } catch (const std::exception& e) {
        // Rights half applied: the screen shows and writes nothing.
        suppressButtons("Read Only");
        for (FieldControl& field : fields_)
            hideField(field);
        if (schemeLabel_)
            schemeLabel_->setVisible(false);
        user_.dmMain->ShowMessage(kFieldSecurityError + std::string(e.what()));
    }
    if (isEmployeeSet)
        setEmployeeStatement(pageData);
    else
        pageData.setParam("EmpNo", user_.CurrentStaffNo);
    return true;
}

void RecordScreen::suppressButtons(const std::string& tableRight)
{
    const TableAccess access = tableAccess(tableRight);
    const bool noEdit = access == TableAccess::ReadOnly || access == TableAccess::None;
    const bool noAdd = noEdit || access == TableAccess::UpdateOnly;
    const bool noDelete = noAdd || access == TableAccess::DataEntry;
    const std::pair<web::Control*, bool> buttons[] = {
        {host_.cmdAdd, noAdd}, {host_.cmdEdit, noEdit}, {host_.cmdDelete, noDelete}};
    for (auto [button, suppressed] : buttons)
        if (button && suppressed)
            button->setTag(kTagSuppressed);
    if (access == TableAccess::ReadOnly)
        for (web::Control* button : {host_.cmdSave, host_.cmdCancel})
            if (button)
                button->setVisible(false);
}

void RecordScreen::denyScreen()
{
    user_.dmMain->ShowMessage(user_.dmMain->MessageText(kTableDeniedMessage));
    removeScreenControls();
    denied_ = true;
    for (web::Control* hidden : {host_.regedit ? host_.regedit : &host_.region, host_.imgBrowse, host_.imgEdit})
        if (hidden)
            hidden->setVisible(false);
}

void RecordScreen::applyFieldRights(data::Dataset& pageData, const std::string& table, bool isEmployeeSet)
{
    std::vector<FieldRight> rights;
    for (const db::Row& row :
         user_.dmMain->connection(data::alias::kCentral)
             .query("select AFIELD, ARIGHTS from TSECFLD where upper(AUSERCODE) = ? and upper(ATABLE) = ?",
                    {toUpper(user_.SecurityCode), toUpper(table)}))
        rights.push_back({trim(row[0].asString()), trim(row[1].asString())});
    if (rights.empty()) {
        restoreStatements(pageData, isEmployeeSet);
        return;
    }
    applyControlRights(rights);
    restrictStatements(pageData, table, rights, isEmployeeSet);
}

void RecordScreen::applyControlRights(const std::vector<FieldRight>& rights)
{
    const std::string readOnlyColour = web::colourToCss(host_.readOnlyColour);
    for (FieldControl& field : fields_) {
        const FieldAccess access = fieldAccess(rights, field.field);
        if (access == FieldAccess::Full)
            continue;
        field.control->setTag(kTagFixedField);
        setEditable(field, false);
        if (access == FieldAccess::ReadOnly) {
            field.control->setBackgroundColor(readOnlyColour);
            continue;
        }
        hideField(field);
    }
    if (schemeLabel_ && fieldAccess(rights, kSchemeField) == FieldAccess::Hidden) {
        schemeLabel_->setCaption({});
        schemeLabel_->setVisible(false);
        if (schemeCaption_)
            schemeCaption_->setVisible(false);
    }
}

void RecordScreen::hideField(FieldControl& field)
{
    field.bound = false;
    field.control->setTag(kTagFixedField);
    setEditable(field, false);
    showValue(field, db::Value());
    field.control->setBackgroundColor(kHiddenFieldColour);
    if (field.label)
        field.label->setVisible(false);
}

void RecordScreen::restrictStatements(data::Dataset& pageData, const std::string& table,
                                      const std::vector<FieldRight>& rights, bool isEmployeeSet)
{
    const data::MainDatasetEntry* entry = catalogueEntry(pageData.name());
    const std::string dataTable = pageData.updateTable().empty() ? table : pageData.updateTable();
    db::Connection& database = user_.dmMain->connection(pageData.databaseName());
    auto checked = [&](const std::vector<std::string>& names) {
        std::vector<std::string> columns;
        for (const std::string& name : names)
            if (db::columnExists(database, dataTable, name))
                columns.push_back(name);
        return columns;
    };

    std::vector<std::string> knownFields;
    const auto labels = data::ReferenceCache::instance().rows(user_.dmMain->connection(referenceAlias()),
                                                              "select * from LABEL where upper(TABLENAME) = ?",
                                                              {toUpper(table)}, {"LABEL"});
    for (const db::Row& row : *labels)
        if (std::string field = trim(row["FIELDNAME"].asString()); !field.empty())
            knownFields.push_back(std::move(field));
    // A field of the screen without a LABEL row can have no field right either: it is read and written.
    for (const FieldControl& field : fields_)
        knownFields.push_back(field.field);
    std::vector<std::string> identity = entry && entry->keys ? split(entry->keys, ',') : std::vector<std::string>();
    identity.push_back(kStaffNoField);

    const FieldRightsPlan plan = planFieldRights(checked(knownFields), rights, checked(identity));
    if (isEmployeeSet) {
        // The record visibility adds its conditions to this statement.
        employeeSelect_ = restrictedSelect(plan.selected, kEmployeeSelect).value_or(kEmployeeSelect);
    } else {
        const std::string stored = entry ? entry->sql : pageData.sql();
        const std::optional<std::string> sql = restrictedSelect(plan.selected, stored);
        if (!sql)
            throw std::runtime_error("the statement of " + pageData.name() + " cannot be restricted");
        pageData.setSql(*sql);
    }
    pageData.setUpdateSource(dataTable, plan.writtenOnInsert);
    if (auto* guard = pageData.onUpdateRecord.target<IdentityGuard>())
        guard->identity = plan.identity;
    else
        pageData.onUpdateRecord = IdentityGuard{plan.identity, std::move(pageData.onUpdateRecord)};
}

void RecordScreen::restoreStatements(data::Dataset& pageData, bool isEmployeeSet)
{
    auto* guard = pageData.onUpdateRecord.target<IdentityGuard>();
    if (!guard)
        return;
    const data::MainDatasetEntry* entry = catalogueEntry(pageData.name());
    if (entry && !isEmployeeSet)
        pageData.setSql(entry->sql);
    pageData.setUpdateSource({}, {});
    auto next = std::move(guard->next);
    pageData.onUpdateRecord = std::move(next);
}

void RecordScreen::setEmployeeStatement(data::Dataset& employees)
{
    const data::BoundSql bound = user_.dmMain->RestrictEmployeeSql(employeeSelect_, true);
    if (bound.empty())
        return;
    std::string sql = bound.sql;
    if (auto order = user_.dmMain->MasterSortOrder(employees.databaseName()))
        sql += " Order by " + *order;
    if (sql == employees.sql())
        return;
    const bool wasOpen = employees.active();
    employees.setSql(sql, bound.params);
    if (!wasOpen)
        return;
    user_.dmMain->open(employees);
    if (!user_.CurrentStaffNo.empty())
        employees.locate({{kStaffNoField, user_.CurrentStaffNo}});
}

} // namespace zorv::records
