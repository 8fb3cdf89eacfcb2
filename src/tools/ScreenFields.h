#pragma once

// Internal to the reference data: the record screens and their fields, which
// give both the LABEL captions and the TUSRSCR layout rows.

#include <span>
#include <string_view>

namespace zorv::admin {

/// How a field is shown on a record screen (TUSRSCR.ACOMTYPE).
enum class Control { Edit, CheckBox, Date, Memo, Lookup };

struct ScreenField {
    std::string_view field;
    std::string_view caption;
    char type; ///< LABEL.ATYPE: A text, D date, N number, I integer, L check box, M memo
    int size;
    bool mandatory;
    Control control;
    std::string_view lookup = {}; ///< LOOKUP.ATYPE offered by a Lookup control
};

struct RecordScreen {
    int tag;
    std::string_view dataSource; ///< TTAGEVTS.ADATASET
    std::string_view query;      ///< TTAGEVTS.AQUERY, the data set of the main data module
    std::string_view caption;
    std::string_view table;
    std::span<const ScreenField> fields;
};

// Tags of the record screens (TTAGEVTS.ITAG).
inline constexpr int kDetailsScreen = 590;
inline constexpr int kEducationScreen = 570;
inline constexpr int kEmergencyScreen = 580;
inline constexpr int kPayHistoryScreen = 600;
inline constexpr int kAppraisalScreen = 670;
inline constexpr int kAbsenceScreen = 710;
inline constexpr int kTrainingScreen = 780;

std::span<const RecordScreen> recordScreens();

} // namespace zorv::admin
