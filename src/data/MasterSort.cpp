#include "data/MasterSort.h"

#include "common/Text.h"
#include "data/db/Catalogue.h"

#include <sstream>
#include <vector>

namespace zorv::data {

namespace {

/// The words of an item separated by blanks.
std::vector<std::string> words(std::string_view item)
{
    std::istringstream in{std::string(item)};
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

bool isDirection(const std::string& word) { return iequals(word, "asc") || iequals(word, "desc"); }

std::optional<std::string> checkedItem(std::string_view item, const std::function<bool(const std::string&)>& isColumn)
{
    const std::vector<std::string> parts = words(item);
    const bool shapeOk = (parts.size() == 1 || (parts.size() == 2 && isDirection(parts[1])));
    if (!shapeOk || !db::isValidIdentifier(parts[0]) || !isColumn(parts[0]))
        return std::nullopt;
    return parts.size() == 1 ? parts[0] : parts[0] + " " + toLower(parts[1]);
}

} // namespace

std::optional<std::string> checkedSortOrder(std::string_view sort,
                                            const std::function<bool(const std::string&)>& isColumn)
{
    std::vector<std::string> items;
    for (const std::string& item : split(sort, ',')) {
        std::optional<std::string> checked = checkedItem(item, isColumn);
        if (!checked)
            return std::nullopt;
        items.push_back(std::move(*checked));
    }
    return join(items, ", ");
}

} // namespace zorv::data
