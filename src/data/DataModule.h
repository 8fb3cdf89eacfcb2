#pragma once

#include "data/Dataset.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zorv::db {
class Connection;
}

namespace zorv::data {

class RequestConnections;
class SessionView;
class Tdmdata;

/// What every per-session data module reaches: the server's databases, the
/// session's connections of the current request, and the session itself.
struct DataContext {
    std::function<Tdmdata*()> app;       ///< nothing while the databases are down
    RequestConnections* connections = nullptr;
    SessionView* session = nullptr;
};

/// Base of the per-session data modules: a named group of datasets.
class DataModule {
public:
    DataModule(std::string name, DataContext context);
    virtual ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    const std::string& name() const { return name_; }
    const std::vector<Dataset*>& datasets() const { return view_; }
    Dataset* findDataset(std::string_view name) const;
    /// The connection of the current request to the database of alias.
    db::Connection& connection(std::string_view alias);
    /// Opens dataset on its own database.
    void open(Dataset& dataset);
    /// Re-points every dataset with tag 1 at alias; open ones are closed and,
    /// when reopen is set, opened again.
    void repointEmployeeDatasets(const std::string& alias, bool reopen);
    /// Closes every dataset with tag 1 (errors swallowed).
    void closeEmployeeDatasets() noexcept;

protected:
    /// Creates a dataset owned by the module.
    Dataset& addDataset(std::string name, std::string alias, std::string sql, int tag = 0);
    DataContext& context() { return context_; }
    SessionView& session() { return *context_.session; }
    Tdmdata* app() const { return context_.app ? context_.app() : nullptr; }

private:
    std::string name_;
    DataContext context_;
    std::vector<std::unique_ptr<Dataset>> datasets_;
    std::vector<Dataset*> view_;
};

} // namespace zorv::data
