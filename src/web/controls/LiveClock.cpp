#include "web/controls/LiveClock.h"

#include <fmt/core.h>

#include <array>

namespace zorv::web {

namespace {
struct ClockField {
    std::string_view token;
    int width;
    int DateTime::*timePart;
    int Date::*datePart;
};

constexpr std::array<ClockField, 6> kFields = {{
    {"yyyy", 4, nullptr, &Date::year},
    {"HH", 2, &DateTime::hour, nullptr},
    {"MM", 2, &DateTime::minute, nullptr},
    {"SS", 2, &DateTime::second, nullptr},
    {"dd", 2, nullptr, &Date::day},
    {"mm", 2, nullptr, &Date::month},
}};
} // namespace

LiveClock::LiveClock(std::string id) : Control(std::move(id)) {}

std::string LiveClock::formatTime(const DateTime& time, std::string_view format)
{
    std::string out;
    size_t i = 0;
    while (i < format.size()) {
        const ClockField* field = nullptr;
        for (const auto& f : kFields) {
            if (format.substr(i, f.token.size()) == f.token) {
                field = &f;
                break;
            }
        }
        if (!field) {
            out += format[i++];
            continue;
        }
        int value = field->timePart ? time.*(field->timePart) : time.date.*(field->datePart);
        out += fmt::format("{:0{}}", value, field->width);
        i += field->token.size();
    }
    return out;
}

void LiveClock::render(HtmlWriter& w) const
{
    const DateTime now = DateTime::now();
    w.open("time");
    writeCommonAttributes(w, "zw-clock");
    w.attr("datetime", formatTime(now, "yyyy-mm-ddTHH:MM:SS")).attr("data-zw-clock", format_).end();
    w.text(formatTime(now, format_)).close("time");
}

} // namespace zorv::web
