#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zorv {
class Ini;
}

namespace zorv::records {

/// The tab-order file of record screens in the program folder.
std::string tabOrderIniPath();

/// A data control as the tab order sees it: its name and design position.
struct TabStop {
    std::string name;
    int left = 0;
    int top = 0;
};

/// The tab position of each stop: the number of stops left of it, or in the
/// same column (equal left) above it; column by column, top to bottom.
std::vector<int> columnTabOrder(const std::vector<TabStop>& stops);

/// The names of [override] tag of ini, by position (keys "0", "1", … up to
/// the first missing one); nothing when the override is off.
std::optional<std::vector<std::string>> overriddenTabOrder(const Ini& ini, int tag);

/// Writes [tag] position = name for each stop, so that an administrator can
/// copy the order and switch the override on; only keys whose value differs
/// are written (of stops sharing a position, the last one's name is kept).
/// Returns the number of keys written.
int writeTabOrder(Ini& ini, int tag, const std::vector<TabStop>& stops, const std::vector<int>& positions);

} // namespace zorv::records
