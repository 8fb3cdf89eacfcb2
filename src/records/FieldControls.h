#pragma once

#include "data/db/ColumnInfo.h"
#include "data/db/Value.h"
#include "records/RecordScreen.h"

#include <string>
#include <vector>

namespace zorv::records {

// What a data control of a record screen does with its field's value,
// whatever its kind.

/// Shows value (null: empty) in the control. A list that lacks the value
/// gets it as an item, so that saving does not lose it.
void showValue(const FieldControl& field, const db::Value& value);
/// The value as the control would show it, and the control's value now, as
/// text (a check box as its checked or unchecked value, a date dd/mm/yyyy).
std::string shownText(const FieldControl& field, const db::Value& value);
std::string controlText(const FieldControl& field);
/// text as a value of column (null for an empty text). Throws
/// std::invalid_argument naming field when text is no value of that column.
db::Value columnValue(const db::ColumnInfo& column, const std::string& field, const std::string& text);
/// Lets the user change the control, or not (an edit or memo turns
/// read-only, the other kinds disabled).
void setEditable(const FieldControl& field, bool editable);
/// Puts items into a list control.
void setChoices(const FieldControl& field, const std::vector<std::string>& items);

} // namespace zorv::records
