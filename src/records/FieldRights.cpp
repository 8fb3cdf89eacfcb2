#include "records/FieldRights.h"

#include "common/Text.h"

#include <algorithm>

namespace zorv::records {

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return iequals(n, name); });
}

void addOnce(std::vector<std::string>& names, const std::string& name)
{
    if (!name.empty() && !contains(names, name))
        names.push_back(name);
}

} // namespace

FieldAccess fieldAccess(const std::vector<FieldRight>& rights, const std::string& field)
{
    // Two rows for one field: the stricter counts.
    FieldAccess access = FieldAccess::Full;
    for (const FieldRight& right : rights) {
        if (!iequals(trimView(right.field), field))
            continue;
        const std::string value = trim(right.rights);
        if (iequals(value, "None"))
            return FieldAccess::Hidden;
        if (iequals(value, "Read Only"))
            access = FieldAccess::ReadOnly;
    }
    return access;
}

FieldRightsPlan planFieldRights(const std::vector<std::string>& fields, const std::vector<FieldRight>& rights,
                                const std::vector<std::string>& identity)
{
    FieldRightsPlan plan;
    for (const std::string& name : identity)
        addOnce(plan.identity, name);
    std::vector<std::string> readOnly;
    for (const std::string& field : fields) {
        if (contains(plan.identity, field))
            continue;
        switch (fieldAccess(rights, field)) {
        case FieldAccess::Full:
            addOnce(plan.writtenOnModify, field);
            break;
        case FieldAccess::ReadOnly:
            addOnce(readOnly, field);
            break;
        case FieldAccess::Hidden:
            break;
        }
    }
    plan.selected = plan.writtenOnModify;
    for (const std::string& field : readOnly)
        addOnce(plan.selected, field);
    plan.writtenOnInsert = plan.writtenOnModify;
    for (const std::string& key : plan.identity) {
        addOnce(plan.selected, key);
        addOnce(plan.writtenOnInsert, key);
    }
    return plan;
}

std::optional<std::string> restrictedSelect(const std::vector<std::string>& columns, const std::string& storedSql)
{
    const size_t from = toLower(storedSql).find(" from ");
    if (from == std::string::npos || columns.empty())
        return std::nullopt;
    return "Select " + join(columns, ", ") + " " + storedSql.substr(from);
}

} // namespace zorv::records
