#include "web/controls/DatePicker.h"

#include <fmt/core.h>

#include <algorithm>
#include <cctype>

namespace zorv::web {

namespace {
/// Length of "yyyy-mm-dd" and of the longest "dd/mm/yyyy".
constexpr size_t kDateTextLength = 10;

int digitsValue(std::string_view s)
{
    int v = 0;
    for (char c : s)
        v = v * 10 + (c - '0');
    return v;
}
} // namespace

std::string isoDateText(const Date& date)
{
    return fmt::format("{:04}-{:02}-{:02}", date.year, date.month, date.day);
}

std::optional<Date> parseIsoDate(std::string_view text)
{
    if (text.size() != kDateTextLength || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
    Date d{digitsValue(text.substr(0, 4)), digitsValue(text.substr(5, 2)), digitsValue(text.substr(8, 2))};
    if (!d.isValid())
        return std::nullopt;
    return d;
}

DatePicker::DatePicker(std::string id) : Control(std::move(id)) {}

bool DatePicker::setDate(const Date& date)
{
    if (!accepts(date))
        return false;
    date_ = date;
    return true;
}

std::string DatePicker::text() const { return date_ ? date_->format() : std::string(); }

bool DatePicker::setText(std::string_view text)
{
    if (text.empty()) {
        clear();
        return true;
    }
    if (text.size() > kDateTextLength)
        return false;
    std::optional<Date> parsed = text.find('/') != std::string_view::npos ? Date::parse(text) : parseIsoDate(text);
    return parsed && setDate(*parsed);
}

void DatePicker::setYearRange(int minYear, int maxYear)
{
    minYear_ = std::min(minYear, maxYear);
    maxYear_ = std::max(minYear, maxYear);
}

void DatePicker::render(HtmlWriter& w) const
{
    w.open("input").attr("type", "date").attr("name", id());
    writeCommonAttributes(w, "form-control zw-date");
    w.attr("value", date_ ? isoDateText(*date_) : std::string());
    w.attr("min", isoDateText(Date{minYear_, 1, 1})).attr("max", isoDateText(Date{maxYear_, 12, 31}));
    if (!labelledBy_.empty())
        w.attr("aria-labelledby", labelledBy_);
    if (onChange)
        w.attr("data-zw-post", Event::encode(id(), "change"));
    w.flag("disabled", !enabled()).end();
}

void DatePicker::applyPosted(const PostedForm& form)
{
    if (auto posted = form.get(id()))
        setText(*posted);
}

bool DatePicker::dispatch(const Event& e)
{
    if (e.name != "change" || e.row >= 0 || !onChange)
        return false;
    onChange();
    return true;
}

} // namespace zorv::web
