#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zorv::records {

/// One tSecFld row of the user's security code for the screen's table.
struct FieldRight {
    std::string field;
    std::string rights; ///< "None", "Read Only", or another value that grants the field
};

/// What a field right does to a data control.
enum class FieldAccess { Full, ReadOnly, Hidden };

/// The access of field (case ignored) under rights: Full without a row or
/// with a value other than "None" and "Read Only"; the stricter of two rows.
FieldAccess fieldAccess(const std::vector<FieldRight>& rights, const std::string& field);

/// The columns a dataset reads and writes under field rights.
struct FieldRightsPlan {
    std::vector<std::string> selected;        ///< permitted, then read-only, then the kept identity columns
    std::vector<std::string> writtenOnInsert; ///< permitted and the identity columns
    std::vector<std::string> writtenOnModify; ///< permitted fields only
    std::vector<std::string> identity;        ///< the update keys and the staff number: never changed by a modify
};

/// The plan for the fields of a table (those its LABEL rows name and those
/// the screen shows): a field without a right (or with a right other than
/// "None" and "Read Only") is read and written, a "Read Only" one only read,
/// a "None" one neither. The identity
/// columns (the dataset's update keys and its staff number column) are always
/// read and written on insert, never on modify, whatever the rights or
/// LABEL say. Names keep their first spelling; repeats are dropped.
FieldRightsPlan planFieldRights(const std::vector<std::string>& fields, const std::vector<FieldRight>& rights,
                                const std::vector<std::string>& identity);

/// "Select " + the columns + " " + storedSql from its " from " on (case
/// ignored); nothing when storedSql has no " from " or columns is empty.
/// The columns must have been checked against the catalogue.
std::optional<std::string> restrictedSelect(const std::vector<std::string>& columns, const std::string& storedSql);

} // namespace zorv::records
