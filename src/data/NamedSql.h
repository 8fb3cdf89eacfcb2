#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorv::data {

/// A statement written with named parameters (":EmpNo") turned into the
/// positional form the database takes ("?"), with the name of each position.
/// Names are compared without regard to case; text inside quotes and
/// comments is left alone.
struct NamedSql {
    std::string sql;
    std::vector<std::string> names; ///< upper-cased, one per "?" in order

    static NamedSql parse(std::string_view text);
};

} // namespace zorv::data
