#pragma once

#include "common/Text.h"
#include "data/MainCatalogue.h"

#include <string>
#include <string_view>

namespace zorv::records {

// Names shared by the parts of a record screen.

/// Every control a layout creates has a name starting with this; the next
/// layout removes them all.
inline constexpr const char* kScreenPrefix = "RMV";
inline constexpr const char* kRectanglePrefix = "RMVrec";
inline constexpr const char* kLabelPrefix = "RMVLBL";
inline constexpr const char* kDataPrefix = "RMVEDT";
inline constexpr const char* kSchemePrefix = "RMVLBL1";

/// Fields with a control of their own.
inline constexpr const char* kSchemeField = "ISCHEMEID";
inline constexpr const char* kPriorityField = "IPRIORITY";
inline constexpr const char* kReengageField = "REENGAGE";
inline constexpr const char* kStaffNoField = "STAFFNO";


/// The statement the employee set is restricted from when no field rights apply.
inline constexpr const char* kEmployeeSelect = "select * from master a";

/// True when name can be a control's id (letters, digits and '_'): a field
/// whose name cannot is left off the screen.
inline bool isScreenControlName(std::string_view name)
{
    constexpr size_t kMaxId = 64;
    if (name.empty() || name.size() > kMaxId)
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    return true;
}

/// The main data module's entry of dataset (case ignored); null for a dataset it does not have.
inline const data::MainDatasetEntry* catalogueEntry(const std::string& dataset)
{
    for (const data::MainDatasetEntry& entry : data::mainCatalogue())
        if (iequals(entry.name, dataset))
            return &entry;
    return nullptr;
}

} // namespace zorv::records
