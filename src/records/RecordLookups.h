#pragma once

#include <string>
#include <vector>

namespace zorv::db {
class Connection;
}

namespace zorv::records {

/// The choices of a look-up control whose layout row names source (ALOOKUP,
/// compared in upper case): fixed lists for %YESNO%, %GENDER%, %PAYBASIS% and
/// %PAYPERIOD%; the captions of the points 4001 to 4025 of LABEL for
/// %POINTONSCALE%; the pay grades, allowance codes or currencies of their
/// tables; for any other name the entries of that type in the lookup table.
/// Rows are read on global (the global or global work database) through the
/// reference cache. Sorted, as the control shows them. Throws DatabaseError.
std::vector<std::string> lookupChoices(db::Connection& global, const std::string& source);

/// True for the sources whose control runs the pay-grade handler when it changes.
bool isPayGradeSource(const std::string& source);

} // namespace zorv::records
