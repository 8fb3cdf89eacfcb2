#include "ControlHarness.h"

#include "web/controls/DatePicker.h"
#include "web/controls/LiveClock.h"
#include "web/controls/SpinEdit.h"

namespace zorv::web::testing {
namespace {

TEST(DatePicker, AcceptsBothFormatsWithinItsYears)
{
    struct Case {
        const char* name;
        const char* posted;
        const char* after;
    };
    const Case cases[] = {
        {"browser format", "2024-02-29", "29/02/2024"},
        {"typed format", "01/03/2024", "01/03/2024"},
        {"typed without leading zeros", "1/3/2025", "01/03/2025"},
        {"no such day", "2023-02-29", "15/06/2024"},
        {"typed no such day", "31/04/2024", "15/06/2024"},
        {"year before the range", "31/12/1999", "15/06/2024"},
        {"year after the range", "2031-01-01", "15/06/2024"},
        {"browser format without zeros", "2024-2-3", "15/06/2024"},
        {"text", "<script>", "15/06/2024"},
        {"emptied", "", ""},
    };
    for (const auto& c : cases) {
        DatePicker dtp("dtpStart");
        dtp.setYearRange(2000, 2030);
        ASSERT_TRUE(dtp.setDate(Date{2024, 6, 15}));
        dtp.applyPosted(formOf({{"dtpStart", c.posted}}));
        EXPECT_EQ(dtp.text(), c.after) << c.name;
    }
}

TEST(DatePicker, RendersTheBrowserFormatAndItsRange)
{
    DatePicker dtp("dtpStart");
    dtp.setYearRange(2000, 2030);
    EXPECT_FALSE(dtp.setDate(Date{1999, 1, 1}));
    EXPECT_TRUE(dtp.empty());
    ASSERT_TRUE(dtp.setText("05/06/2024"));
    const std::string html = htmlOf(dtp);
    EXPECT_TRUE(contains(html, "type=\"date\""));
    EXPECT_TRUE(contains(html, "value=\"2024-06-05\""));
    EXPECT_TRUE(contains(html, "min=\"2000-01-01\" max=\"2030-12-31\""));
}

TEST(SpinEdit, ClampsOrRejectsValuesOutsideItsRange)
{
    using P = SpinEdit::OutOfRange;
    struct Case {
        P policy;
        const char* posted;
        int after;
    };
    const Case cases[] = {
        {P::Clamp, "5", 5},    {P::Clamp, " 7 ", 7},  {P::Clamp, "30", 23},  {P::Clamp, "-4", 0},
        {P::Reject, "30", 1},  {P::Reject, "-4", 1},  {P::Reject, "23", 23}, {P::Clamp, "abc", 1},
        {P::Clamp, "", 1},     {P::Clamp, "5.5", 1},  {P::Clamp, "99999999999999999999", 1},
        {P::Clamp, "9999999999", 23},
    };
    for (const auto& c : cases) {
        SpinEdit sp("spHours");
        sp.setRange(0, 23);
        sp.setValue(1);
        sp.setOutOfRange(c.policy);
        sp.applyPosted(formOf({{"spHours", c.posted}}));
        EXPECT_EQ(sp.value(), c.after) << c.posted << (c.policy == P::Clamp ? " clamp" : " reject");
    }
}

TEST(LiveClock, FormatsTheFieldsOfItsFormat)
{
    const DateTime t{Date{2024, 3, 5}, 7, 8, 9};
    const std::pair<const char*, const char*> cases[] = {
        {"HH:MM:SS", "07:08:09"},
        {"dd/mm/yyyy HH:MM", "05/03/2024 07:08"},
        {"HH h", "07 h"},
        {"", ""},
    };
    for (const auto& [format, expected] : cases)
        EXPECT_EQ(LiveClock::formatTime(t, format), expected) << format;
    EXPECT_TRUE(contains(htmlOf(LiveClock("clk")), "data-zw-clock=\"HH:MM:SS\""));
}

} // namespace
} // namespace zorv::web::testing
