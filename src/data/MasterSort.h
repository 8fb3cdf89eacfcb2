#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorv::data {

/// The order clause of a configured sort ("Surname desc, Forenames") when
/// every comma-separated item is a column for which isColumn holds,
/// optionally followed by asc or desc (any case); nothing otherwise. The
/// clause is rebuilt from the checked items ("Surname desc, Forenames"), so
/// no other text of the setting reaches the statement.
std::optional<std::string> checkedSortOrder(std::string_view sort,
                                            const std::function<bool(const std::string&)>& isColumn);

} // namespace zorv::data
