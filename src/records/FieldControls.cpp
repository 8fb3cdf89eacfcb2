#include "records/FieldControls.h"

#include "common/Text.h"
#include "web/controls/CheckBox.h"
#include "web/controls/ComboBox.h"
#include "web/controls/DatePicker.h"
#include "web/controls/Edit.h"
#include "web/controls/Memo.h"

#include <stdexcept>

namespace zorv::records {

namespace {

bool isList(FieldKind kind) { return kind == FieldKind::Lookup || kind == FieldKind::Priority; }

} // namespace

std::string shownText(const FieldControl& field, const db::Value& value)
{
    if (value.isNull())
        return field.kind == FieldKind::CheckBox ? field.uncheckedValue : std::string();
    if (field.kind == FieldKind::CheckBox)
        return iequals(trim(value.asString()), field.checkedValue) ? field.checkedValue : field.uncheckedValue;
    if (field.kind == FieldKind::Date) {
        try {
            return value.asDate().format();
        } catch (const std::exception&) {
            return {};
        }
    }
    return value.asString();
}

std::string controlText(const FieldControl& field)
{
    switch (field.kind) {
    case FieldKind::Edit:
        return static_cast<const web::Edit*>(field.control)->text();
    case FieldKind::Memo:
        return static_cast<const web::Memo*>(field.control)->text();
    case FieldKind::CheckBox:
        return static_cast<const web::CheckBox*>(field.control)->checked() ? field.checkedValue
                                                                          : field.uncheckedValue;
    case FieldKind::Date:
        return static_cast<const web::DatePicker*>(field.control)->text();
    case FieldKind::Lookup:
    case FieldKind::Priority:
        return static_cast<const web::ComboBox*>(field.control)->text();
    }
    return {};
}

void showValue(const FieldControl& field, const db::Value& value)
{
    const std::string text = shownText(field, value);
    switch (field.kind) {
    case FieldKind::Edit:
        static_cast<web::Edit*>(field.control)->setText(text);
        return;
    case FieldKind::Memo:
        static_cast<web::Memo*>(field.control)->setText(text);
        return;
    case FieldKind::CheckBox:
        static_cast<web::CheckBox*>(field.control)->setChecked(text == field.checkedValue);
        return;
    case FieldKind::Date:
        if (!static_cast<web::DatePicker*>(field.control)->setText(text))
            static_cast<web::DatePicker*>(field.control)->clear();
        return;
    case FieldKind::Lookup:
    case FieldKind::Priority: {
        auto* list = static_cast<web::ComboBox*>(field.control);
        if (text.empty()) {
            list->setItemIndex(-1);
        } else if (!list->selectText(text)) {
            list->addItem(text);
            list->selectText(text);
        }
        return;
    }
    }
}

db::Value columnValue(const db::ColumnInfo& column, const std::string& field, const std::string& text)
{
    if (text.empty())
        return {};
    try {
        const db::Value typed(text);
        switch (column.type) {
        case db::ColumnType::Integer:
        case db::ColumnType::Boolean:
            if (auto number = parseWholeNumber(text))
                return *number;
            break;
        case db::ColumnType::Decimal:
            return typed.asDecimal();
        case db::ColumnType::Double:
            return typed.asDouble();
        case db::ColumnType::Date:
            return typed.asDate();
        case db::ColumnType::DateTime:
            return typed.asDateTime();
        case db::ColumnType::Time:
            return typed.asTime();
        default:
            return typed;
        }
    } catch (const std::exception&) {
        // Reported below, with the field's name.
    }
    throw std::invalid_argument(field + ": \"" + text + "\" is not a valid value");
}

void setEditable(const FieldControl& field, bool editable)
{
    if (field.kind == FieldKind::Edit)
        static_cast<web::Edit*>(field.control)->setReadOnly(!editable);
    else if (field.kind == FieldKind::Memo)
        static_cast<web::Memo*>(field.control)->setReadOnly(!editable);
    else
        field.control->setEnabled(editable);
}

void setChoices(const FieldControl& field, const std::vector<std::string>& items)
{
    if (isList(field.kind))
        static_cast<web::ComboBox*>(field.control)->setItems(items);
}

} // namespace zorv::records
