#include "records/TabOrder.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"

#include <map>

namespace zorv::records {

namespace {
constexpr const char* kOverrideSection = "override";
}

std::string tabOrderIniPath() { return (programFolder() / "wTabOrder.ini").string(); }

std::vector<int> columnTabOrder(const std::vector<TabStop>& stops)
{
    std::vector<int> positions;
    for (const TabStop& stop : stops) {
        int before = 0;
        for (const TabStop& other : stops) {
            const bool leftOf = other.left < stop.left;
            const bool above = other.left == stop.left && other.top < stop.top;
            before += leftOf || above ? 1 : 0;
        }
        positions.push_back(before);
    }
    return positions;
}

std::optional<std::vector<std::string>> overriddenTabOrder(const Ini& ini, int tag)
{
    const std::string section = std::to_string(tag);
    if (!ini.readBool(kOverrideSection, section, false))
        return std::nullopt;
    std::vector<std::string> names;
    for (int position = 0; ini.valueExists(section, std::to_string(position)); ++position)
        names.push_back(ini.readString(section, std::to_string(position)));
    return names;
}

int writeTabOrder(Ini& ini, int tag, const std::vector<TabStop>& stops, const std::vector<int>& positions)
{
    std::map<int, std::string> names;
    for (size_t i = 0; i < stops.size() && i < positions.size(); ++i)
        names[positions[i]] = stops[i].name;
    const std::string section = std::to_string(tag);
    int written = 0;
    for (const auto& [position, name] : names) {
        const std::string key = std::to_string(position);
        if (ini.valueExists(section, key) && ini.readString(section, key) == name)
            continue;
        ini.writeString(section, key, name);
        ++written;
    }
    return written;
}

} // namespace zorv::records
