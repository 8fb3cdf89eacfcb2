#include "data/Dataset.h"

#include "common/Text.h"
#include "data/NamedSql.h"
#include "data/db/Connection.h"
#include "data/db/DatabaseError.h"
#include "data/db/ResultSet.h"
#include "data/db/Transaction.h"
#include "server/LogFile.h"

#include <algorithm>
#include <stdexcept>

namespace zorv::data {

namespace {
const db::Value kNull;

bool sameValue(const db::Value& a, const db::Value& b, bool ignoreCase)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.kind() == db::ValueKind::Text || b.kind() == db::ValueKind::Text) {
        return ignoreCase ? iequals(a.asString(), b.asString()) : a.asString() == b.asString();
    }
    if (a.kind() == b.kind())
        return a == b;
    return a.asString() == b.asString();
}

bool isGraphic(const db::ColumnInfo& c) { return c.type == db::ColumnType::BinaryBlob; }

/// The error of an update that found no row: another session changed the
/// key or deleted the row since it was read.
[[noreturn]] void rowChangedElsewhere(const std::string& dataset)
{
    throw std::runtime_error("The record of " + dataset + " was changed or deleted by another user.");
}
} // namespace

Dataset::Dataset(std::string name, std::string sql)
    : name_(std::move(name)), sql_(std::move(sql)), columns_(std::make_shared<const db::Columns>())
{
}

Dataset::~Dataset() = default;

void Dataset::setSql(std::string sql)
{
    if (active())
        close();
    sql_ = std::move(sql);
    positional_.reset();
}

void Dataset::setSql(std::string sql, db::Params positional)
{
    setSql(std::move(sql));
    positional_ = std::move(positional);
}

void Dataset::setUpdateTable(std::string table, std::vector<std::string> keyColumns)
{
    updateTable_ = std::move(table);
    keyNames_ = std::move(keyColumns);
}

void Dataset::setUpdateSource(std::string relation, std::vector<std::string> columns)
{
    updateSource_ = std::move(relation);
    updateSourceColumns_ = std::move(columns);
}

void Dataset::setParam(const std::string& name, db::Value value) { params_[toUpper(name)] = std::move(value); }

db::Params Dataset::boundParams() const
{
    if (positional_)
        return *positional_;
    NamedSql parsed = NamedSql::parse(sql_);
    db::Params params;
    for (const auto& n : parsed.names) {
        auto it = params_.find(n);
        params.push_back(it == params_.end() ? db::Value() : it->second);
    }
    return params;
}

void Dataset::open(db::Connection& connection)
{
    load(connection.query(positional_ ? sql_ : NamedSql::parse(sql_).sql, boundParams()));
}

void Dataset::open(db::Transaction& transaction)
{
    load(transaction.query(positional_ ? sql_ : NamedSql::parse(sql_).sql, boundParams()));
}

void Dataset::load(db::ResultSet&& result)
{
    close();
    columns_ = std::make_shared<const db::Columns>(result.columns());
    rows_.reserve(result.size());
    for (const auto& r : result)
        rows_.push_back(Row{r.values(), {}, RowStatus::Unchanged});
    state_ = DatasetState::Browse;
    first();
}

void Dataset::close()
{
    const bool wasActive = active();
    rows_.clear();
    deleted_.clear();
    state_ = DatasetState::Inactive;
    current_ = -1;
    eof_ = bof_ = true;
    if (wasActive && afterClose)
        afterClose(*this);
}

// --- navigation ---------------------------------------------------------------

void Dataset::scrolled()
{
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::moveTo(int row)
{
    requireBrowse("move");
    if (rows_.empty()) {
        current_ = -1;
        eof_ = bof_ = true;
        scrolled();
        return;
    }
    current_ = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
    bof_ = row < 0 || current_ == 0;
    eof_ = row >= static_cast<int>(rows_.size());
    scrolled();
}

void Dataset::first() { moveTo(0); }
void Dataset::last() { moveTo(static_cast<int>(rows_.size()) - 1); }

void Dataset::next()
{
    requireBrowse("move");
    if (current_ + 1 >= static_cast<int>(rows_.size())) {
        eof_ = true;
        return;
    }
    moveTo(current_ + 1);
}

void Dataset::prior()
{
    requireBrowse("move");
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    moveTo(current_ - 1);
}

bool Dataset::locate(const std::vector<std::pair<std::string, db::Value>>& values, bool ignoreCase)
{
    requireBrowse("locate");
    std::vector<std::pair<size_t, const db::Value*>> wanted;
    for (const auto& [name, value] : values)
        wanted.emplace_back(columnIndex(name), &value);
    for (size_t r = 0; r < rows_.size(); ++r) {
        bool match = true;
        for (const auto& [col, value] : wanted)
            match = match && sameValue(rows_[r].values[col], *value, ignoreCase);
        if (match) {
            moveTo(static_cast<int>(r));
            return true;
        }
    }
    return false;
}

// --- fields -------------------------------------------------------------------

size_t Dataset::columnIndex(std::string_view name) const
{
    auto index = columns_->find(name);
    if (!index)
        throw std::invalid_argument(name_ + ": no field " + std::string(name));
    return *index;
}

bool Dataset::hasField(std::string_view name) const { return columns_->find(name).has_value(); }

void Dataset::requireRow() const
{
    if (current_ < 0 || current_ >= static_cast<int>(rows_.size()))
        throw std::logic_error(name_ + ": no current record");
}

void Dataset::requireBrowse(const char* operation) const
{
    if (state_ == DatasetState::Inactive)
        throw std::logic_error(name_ + ": cannot " + operation + " a closed dataset");
    if (state_ != DatasetState::Browse)
        throw std::logic_error(name_ + ": cannot " + operation + " while a record is being edited");
}

const db::Value& Dataset::field(std::string_view name) const { return field(columnIndex(name)); }

const db::Value& Dataset::field(size_t column) const
{
    if (current_ < 0 || current_ >= static_cast<int>(rows_.size()) || column >= columns_->size())
        return kNull;
    return rows_[static_cast<size_t>(current_)].values[column];
}

std::string Dataset::fieldText(std::string_view name) const
{
    const db::Value& v = field(name);
    return v.isNull() ? std::string() : v.asString();
}

void Dataset::setField(std::string_view name, db::Value value)
{
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        throw std::logic_error(name_ + ": not in edit or insert mode");
    size_t col = columnIndex(name);
    rows_[static_cast<size_t>(current_)].values[col] = std::move(value);
}

// --- editing ------------------------------------------------------------------

void Dataset::edit()
{
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert)
        return;
    requireBrowse("edit");
    requireRow();
    Row& row = rows_[static_cast<size_t>(current_)];
    if (row.status == RowStatus::Unchanged && row.original.empty())
        row.original = row.values;
    editBackup_ = row;
    state_ = DatasetState::Edit;
}

void Dataset::startInsert(size_t at)
{
    requireBrowse("insert");
    Row row;
    row.values.assign(columns_->size(), db::Value());
    row.status = RowStatus::Inserted;
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    current_ = static_cast<int>(at);
    eof_ = bof_ = false;
    state_ = DatasetState::Insert;
    if (onNewRecord)
        onNewRecord(*this);
}

void Dataset::insert() { startInsert(current_ < 0 ? 0 : static_cast<size_t>(current_)); }
void Dataset::append() { startInsert(rows_.size()); }

void Dataset::post()
{
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        return;
    if (beforePost)
        beforePost(*this);
    const bool inserted = state_ == DatasetState::Insert;
    Row& row = rows_[static_cast<size_t>(current_)];
    if (!inserted && row.status == RowStatus::Unchanged) {
        if (row.values != row.original)
            row.status = RowStatus::Modified;
        else
            row.original.clear();
    }
    state_ = DatasetState::Browse;
    if (inserted && afterInsert)
        afterInsert(*this);
}

void Dataset::cancel()
{
    if (state_ == DatasetState::Insert) {
        rows_.erase(rows_.begin() + current_);
        state_ = DatasetState::Browse;
        moveTo(std::min(current_, static_cast<int>(rows_.size()) - 1));
        return;
    }
    if (state_ == DatasetState::Edit) {
        rows_[static_cast<size_t>(current_)] = std::move(editBackup_);
        state_ = DatasetState::Browse;
    }
}

void Dataset::deleteRecord()
{
    requireBrowse("delete");
    requireRow();
    Row& row = rows_[static_cast<size_t>(current_)];
    if (row.status != RowStatus::Inserted)
        deleted_.push_back(row.original.empty() ? row.values : row.original);
    rows_.erase(rows_.begin() + current_);
    moveTo(std::min(current_, static_cast<int>(rows_.size()) - 1));
}

bool Dataset::updatesPending() const
{
    if (!deleted_.empty())
        return true;
    for (const auto& r : rows_)
        if (r.status != RowStatus::Unchanged)
            return true;
    return false;
}

// --- cached updates -------------------------------------------------------------

std::vector<size_t> Dataset::updatableColumns() const
{
    // Only the columns that come from the update table itself: joined
    // columns and expressions are never written.
    std::vector<size_t> cols;
    const bool copied = !updateSource_.empty();
    auto listed = [this](const std::string& field) {
        return std::any_of(updateSourceColumns_.begin(), updateSourceColumns_.end(),
                           [&](const std::string& name) { return iequals(name, field); });
    };
    for (size_t i = 0; i < columns_->size(); ++i) {
        const auto& c = (*columns_)[i];
        if (c.field.empty() || !iequals(c.relation, copied ? updateSource_ : updateTable_))
            continue;
        if (!copied || listed(c.field))
            cols.push_back(i);
    }
    return cols;
}

std::vector<size_t> Dataset::keyColumns() const
{
    std::vector<size_t> keys;
    for (const auto& k : keyNames_)
        keys.push_back(columnIndex(k));
    return keys;
}

std::string Dataset::whereKeys(const std::vector<db::Value>& old, db::Params& params) const
{
    std::string where;
    for (size_t k : keyColumns()) {
        const auto& c = (*columns_)[k];
        where += where.empty() ? " where " : " and ";
        if (old[k].isNull()) {
            where += c.field + " is null";
        } else {
            where += c.field + " = ?";
            params.push_back(old[k]);
        }
    }
    return where;
}

void Dataset::applyDelete(db::Transaction& t, const std::vector<db::Value>& old)
{
    db::Params params;
    std::string sql = "delete from " + updateTable_ + whereKeys(old, params);
    if (t.execute(sql, params) == 0)
        rowChangedElsewhere(name_);
}

void Dataset::applyModify(db::Transaction& t, const Row& row)
{
    db::Params params;
    std::string set;
    for (size_t i : updatableColumns()) {
        if (row.values[i] == row.original[i])
            continue;
        set += (set.empty() ? "" : ", ") + (*columns_)[i].field + " = ?";
        params.push_back(row.values[i]);
    }
    if (set.empty())
        return;
    std::string sql = "update " + updateTable_ + " set " + set + whereKeys(row.original, params);
    if (t.execute(sql, params) == 0)
        rowChangedElsewhere(name_);
}

void Dataset::applyInsert(db::Transaction& t, const Row& row)
{
    db::Params params;
    std::string names, marks;
    for (size_t i : updatableColumns()) {
        if (row.values[i].isNull())
            continue;
        names += (names.empty() ? "" : ", ") + (*columns_)[i].field;
        marks += marks.empty() ? "?" : ", ?";
        params.push_back(row.values[i]);
    }
    if (names.empty())
        throw std::runtime_error(name_ + ": an empty record cannot be saved");
    t.execute("insert into " + updateTable_ + " (" + names + ") values (" + marks + ")", params);
}

void Dataset::applyUpdates(db::Transaction& transaction)
{
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert)
        post();
    if (!updatesPending())
        return;
    if (updateTable_.empty())
        throw std::logic_error(name_ + " is read-only");
    for (const auto& old : deleted_) {
        if (onUpdateRecord)
            onUpdateRecord(*this, PendingChange{UpdateKind::Delete, &old, nullptr});
        applyDelete(transaction, old);
    }
    for (const auto& row : rows_) {
        if (row.status == RowStatus::Unchanged)
            continue;
        const bool inserted = row.status == RowStatus::Inserted;
        PendingChange change{inserted ? UpdateKind::Insert : UpdateKind::Modify, inserted ? nullptr : &row.original,
                             &row.values};
        if (onUpdateRecord)
            onUpdateRecord(*this, change);
        if (inserted)
            applyInsert(transaction, row);
        else
            applyModify(transaction, row);
    }
}

void Dataset::commitUpdates()
{
    deleted_.clear();
    for (auto& r : rows_) {
        r.original.clear();
        r.status = RowStatus::Unchanged;
    }
}

void Dataset::cancelUpdates()
{
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert)
        cancel();
    std::vector<Row> kept;
    for (auto& r : rows_) {
        if (r.status == RowStatus::Inserted)
            continue;
        if (!r.original.empty())
            r.values = std::move(r.original);
        r.original.clear();
        r.status = RowStatus::Unchanged;
        kept.push_back(std::move(r));
    }
    for (auto& old : deleted_)
        kept.push_back(Row{old, old, RowStatus::Unchanged});
    deleted_.clear();
    rows_ = std::move(kept);
    if (active())
        moveTo(std::min(std::max(current_, 0), static_cast<int>(rows_.size()) - 1));
}

AuditRow Dataset::auditRow(const PendingChange& change) const
{
    AuditRow audit;
    audit.moduleName = moduleName_;
    audit.datasetName = name_;
    auto text = [](const std::vector<db::Value>* values, size_t i) -> std::optional<std::string> {
        if (!values || (*values)[i].isNull())
            return std::nullopt;
        return (*values)[i].asString();
    };
    for (size_t i = 0; i < columns_->size(); ++i) {
        const auto& c = (*columns_)[i];
        AuditField f;
        f.name = c.name;
        f.isGraphic = isGraphic(c);
        f.oldValue = text(change.oldValues, i);
        f.newValue = text(change.newValues, i);
        audit.fields.push_back(std::move(f));
    }
    return audit;
}

} // namespace zorv::data
