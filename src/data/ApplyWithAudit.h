#pragma once

#include <vector>

namespace zorv {
class TLogFile;
}
namespace zorv::db {
class Connection;
}

namespace zorv::data {

class Dataset;

/// Saves the pending changes of datasets, in the given order, in one
/// transaction on connection. Only after the commit are the changes marked
/// as saved and the audit lines (written by the datasets' update-record
/// handlers into log) flushed. On any failure the transaction is rolled
/// back, the audit lines of the attempt are dropped, every change stays
/// pending so the user can correct it and save again, and the error is
/// raised again.
void ApplyWithAudit(db::Connection& connection, const std::vector<Dataset*>& datasets, TLogFile& log);

} // namespace zorv::data
