#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace zorv::db {

/// Every failure of the database layer: an error Firebird reports (what() is
/// its full status text, one message a line) or one the layer finds itself
/// (a value that does not convert, an unknown column, an unknown alias).
class DatabaseError : public std::runtime_error {
public:
    /// An error found by the layer: no SQLCODE, no GDS code.
    explicit DatabaseError(const std::string& message);
    /// An error reported by Firebird, with the GDS codes of its status vector
    /// in order.
    DatabaseError(const std::string& message, int sqlCode, std::vector<long> gdsCodes);

    /// The SQLCODE (negative); 0 when the layer raised the error.
    int sqlCode() const { return sqlCode_; }
    /// The first GDS code; 0 when the layer raised the error.
    long gdsCode() const { return gdsCodes_.empty() ? 0 : gdsCodes_.front(); }
    const std::vector<long>& gdsCodes() const { return gdsCodes_; }
    bool hasGdsCode(long code) const;

    /// A lock conflict, an update conflict, a deadlock or a lock time-out:
    /// the same work may succeed when it is retried in a new transaction.
    bool isLockConflict() const;

private:
    int sqlCode_ = 0;
    std::vector<long> gdsCodes_;
};

} // namespace zorv::db
