#pragma once

#include "common/DateTime.h"
#include "web/Control.h"

#include <functional>
#include <optional>

namespace zorv::web {

/// A date box: a date or empty. The browser shows its own date picker and
/// posts "yyyy-mm-dd"; a typed "dd/mm/yyyy" is accepted too. A post that is
/// not a valid date, or whose year lies outside the year range, leaves the
/// value as it was; an empty post empties the box.
class DatePicker : public Control {
public:
    static constexpr int kDefaultMinYear = 1900;
    static constexpr int kDefaultMaxYear = 2100;

    explicit DatePicker(std::string id);

    const std::optional<Date>& date() const { return date_; }
    bool empty() const { return !date_; }
    /// Sets the date; false (value unchanged) for an invalid date or one outside the year range.
    bool setDate(const Date& date);
    void clear() { date_.reset(); }
    /// The date as "dd/mm/yyyy", or an empty string.
    std::string text() const;
    /// Sets the date from "dd/mm/yyyy" or "yyyy-mm-dd"; an empty text empties
    /// the box. False (value unchanged) for anything else.
    bool setText(std::string_view text);

    /// Years the box accepts, both included (default 1900 to 2100). A date
    /// already set is kept even when it falls outside the new range.
    void setYearRange(int minYear, int maxYear);
    int minYear() const { return minYear_; }
    int maxYear() const { return maxYear_; }
    /// The label element that names this box for assistive technology.
    void setLabelledBy(std::string labelId) { labelledBy_ = std::move(labelId); }

    /// When set, a change of the date posts the page at once and runs this.
    std::function<void()> onChange;

    void render(HtmlWriter& w) const override;
    bool acceptsInput() const override { return true; }
    void applyPosted(const PostedForm& form) override;
    bool dispatch(const Event& e) override;

private:
    bool accepts(const Date& d) const { return d.isValid() && d.year >= minYear_ && d.year <= maxYear_; }

    std::optional<Date> date_;
    std::string labelledBy_;
    int minYear_ = kDefaultMinYear;
    int maxYear_ = kDefaultMaxYear;
};

/// "yyyy-mm-dd" as date inputs read and post it.
std::string isoDateText(const Date& date);
/// Parses exactly "yyyy-mm-dd"; nothing for anything else or an invalid date.
std::optional<Date> parseIsoDate(std::string_view text);

} // namespace zorv::web
