#include "web/controls/Icon.h"

#include <array>
#include <cctype>

namespace zorv::web {

namespace {
// Image indexes of the designs' image lists, in order.
constexpr std::array<const char*, 40> kIcons = {
    "person-vcard",      "calendar-week",     "clock",            "calendar-check",   "airplane",
    "mortarboard",       "receipt",           "hospital",         "people",           "bar-chart",
    "gear",              "list-ul",           "printer",          "upload",           "file-earmark-text",
    "pencil-square",     "check2-square",     "hourglass-split",  "graph-up",         "calendar3",
    "briefcase",         "cash-coin",         "person-badge",     "building",         "door-open",
    "house",             "box-arrow-right",   "key",              "shield-lock",      "journal-text",
    "clipboard-check",   "diagram-3",         "geo-alt",          "alarm",            "stopwatch",
    "calendar-plus",     "table",             "envelope",         "search",           "info-circle",
};

bool isIconName(const std::string& name)
{
    if (name.empty() || name.size() > 40)
        return false;
    for (char c : name)
        if (!(std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '-'))
            return false;
    return true;
}
} // namespace

std::string iconForImageIndex(int imageIndex)
{
    if (imageIndex < 0 || imageIndex >= static_cast<int>(kIcons.size()))
        return "circle";
    return kIcons[static_cast<size_t>(imageIndex)];
}

void writeIcon(HtmlWriter& w, const std::string& name)
{
    if (!isIconName(name))
        return;
    w.open("i").attr("class", "bi bi-" + name + " me-1").attr("aria-hidden", "true").end().close("i");
}

} // namespace zorv::web
