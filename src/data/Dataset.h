#pragma once

#include "data/db/Columns.h"
#include "data/db/Value.h"

#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace zorv::db {
class Connection;
class ResultSet;
class Transaction;
} // namespace zorv::db

namespace zorv {
struct AuditRow;
}

namespace zorv::data {

enum class DatasetState { Inactive, Browse, Edit, Insert };
enum class UpdateKind { Modify, Insert, Delete };

/// One pending change as the update-record handler sees it.
struct PendingChange {
    UpdateKind kind;
    const std::vector<db::Value>* oldValues; ///< nothing for an insert
    const std::vector<db::Value>* newValues; ///< nothing for a delete
};

/// A query whose rows are held in memory, with cached updates.
///
/// Edits, inserts and deletes change the rows in memory and are remembered;
/// applyUpdates() writes them through update statements on the update table,
/// keyed by the key columns matched against the old values, in the caller's
/// transaction. Only the columns that changed are updated, so a save never
/// overwrites what another session changed in other columns meanwhile.
/// commitUpdates() forgets the applied changes once the transaction has
/// committed; a failed apply leaves every change pending.
class Dataset {
public:
    Dataset(std::string name, std::string sql = {});
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    // --- definition ---------------------------------------------------------
    /// The component name (such as "qryEmpDts"), written to the audit trail.
    const std::string& name() const { return name_; }
    /// The name of the data module that owns the dataset (such as "dmMain").
    void setModuleName(std::string module) { moduleName_ = std::move(module); }
    const std::string& moduleName() const { return moduleName_; }
    /// Changing the statement closes the dataset.
    void setSql(std::string sql);
    const std::string& sql() const { return sql_; }
    /// The alias of the database the dataset reads.
    void setDatabaseName(std::string alias) { databaseName_ = std::move(alias); }
    const std::string& databaseName() const { return databaseName_; }
    /// 1 for the datasets that follow the session's employee database.
    int tag = 0;
    /// The table the update statements write and its key columns; a dataset
    /// without them is read-only.
    void setUpdateTable(std::string table, std::vector<std::string> keyColumns);
    const std::string& updateTable() const { return updateTable_; }
    /// For a dataset that reads one table and writes another (a copy table
    /// with fewer columns): only the named columns read from relation are
    /// written to the update table. By default the columns read from the
    /// update table itself are written.
    void setUpdateSource(std::string relation, std::vector<std::string> columns);
    /// Sets a named parameter of the statement (":EmpNo"); case-insensitive.
    void setParam(const std::string& name, db::Value value);
    /// Replaces the statement by one with question marks and their values in
    /// order (a rewritten employee list); named parameters are then not used
    /// until the next setSql. Closes the dataset.
    void setSql(std::string sql, db::Params positional);

    // --- life ---------------------------------------------------------------
    /// Runs the statement and keeps its rows; the current row is the first.
    void open(db::Connection& connection);
    /// Runs the statement inside the caller's transaction.
    void open(db::Transaction& transaction);
    /// Drops the rows and every pending change.
    void close();
    bool active() const { return state_ != DatasetState::Inactive; }
    DatasetState state() const { return state_; }

    // --- navigation ---------------------------------------------------------
    size_t recordCount() const { return rows_.size(); }
    bool isEmpty() const { return rows_.empty(); }
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    /// Position of the current row (0-based); -1 when there is none.
    int recNo() const { return current_; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    /// Makes the first row whose columns hold the given values current.
    /// Text compares without regard to case when ignoreCase is set.
    bool locate(const std::vector<std::pair<std::string, db::Value>>& values, bool ignoreCase = false);

    // --- fields of the current row ------------------------------------------
    const db::Columns& columns() const { return *columns_; }
    bool hasField(std::string_view name) const;
    const db::Value& field(std::string_view name) const;
    /// The field at a column position (see columns()); faster in loops.
    const db::Value& field(size_t column) const;
    /// The value as text; empty for NULL.
    std::string fieldText(std::string_view name) const;
    /// Sets a field while editing or inserting.
    void setField(std::string_view name, db::Value value);

    // --- editing ------------------------------------------------------------
    void edit();
    /// Adds an empty row (before the current one) and starts inserting it.
    void insert();
    /// Adds an empty row at the end and starts inserting it.
    void append();
    /// Ends editing or inserting; the change becomes pending.
    void post();
    /// Drops the edit or insert in progress.
    void cancel();
    /// Deletes the current row; the delete becomes pending.
    void deleteRecord();
    bool updatesPending() const;

    // --- cached updates -----------------------------------------------------
    /// Writes every pending change in the transaction: deletes, then modified
    /// and inserted rows in row order. The update-record handler runs for each
    /// change before its statement. Throws on any failure; nothing is
    /// forgotten until commitUpdates().
    void applyUpdates(db::Transaction& transaction);
    /// Forgets the applied changes (after the transaction committed).
    void commitUpdates();
    /// Drops every pending change and restores the rows as they were read.
    void cancelUpdates();
    /// The audit record of a change: every field in column order, graphic
    /// fields left out.
    AuditRow auditRow(const PendingChange& change) const;

    // --- row rules ------------------------------------------------------------
    std::function<void(Dataset&)> onNewRecord;
    std::function<void(Dataset&)> beforePost;
    std::function<void(Dataset&)> afterInsert; ///< after an inserted row was posted
    std::function<void(Dataset&)> afterScroll;
    std::function<void(Dataset&)> afterClose;
    std::function<void(Dataset&, const PendingChange&)> onUpdateRecord;

private:
    enum class RowStatus { Unchanged, Modified, Inserted };
    struct Row {
        std::vector<db::Value> values;
        /// The values as read; kept only once the row was edited (empty
        /// while the row is unchanged, so reading costs one copy).
        std::vector<db::Value> original;
        RowStatus status = RowStatus::Unchanged;
    };

    void load(db::ResultSet&& result);
    db::Params boundParams() const;
    size_t columnIndex(std::string_view name) const;
    void requireRow() const;
    void requireBrowse(const char* operation) const;
    void scrolled();
    void startInsert(size_t at);
    std::vector<size_t> updatableColumns() const;
    std::vector<size_t> keyColumns() const;
    void applyDelete(db::Transaction& t, const std::vector<db::Value>& old);
    void applyModify(db::Transaction& t, const Row& row);
    void applyInsert(db::Transaction& t, const Row& row);
    std::string whereKeys(const std::vector<db::Value>& old, db::Params& params) const;

    std::string name_;
    std::string moduleName_;
    std::string sql_;
    std::string databaseName_;
    std::string updateTable_;
    std::vector<std::string> keyNames_;
    std::string updateSource_;
    std::vector<std::string> updateSourceColumns_;
    std::map<std::string, db::Value> params_; // upper-cased names
    std::optional<db::Params> positional_;    // question marks, in order
    std::shared_ptr<const db::Columns> columns_;
    std::vector<Row> rows_;
    std::vector<std::vector<db::Value>> deleted_;
    DatasetState state_ = DatasetState::Inactive;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    Row editBackup_;
};

} // namespace zorv::data
