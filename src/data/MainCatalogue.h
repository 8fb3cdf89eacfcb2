#pragma once

#include <cstdint>
#include <span>

namespace zorv::data {

/// The design-time name of the employee database: the datasets that carry it
/// (tag 1) are re-pointed at "dbZorv" + name when the session connects one.
inline constexpr const char* kEmployeeDesignName = "Emphrdb";

/// The row rules a dataset of the main data module applies (a bit set).
enum class RowRule : std::uint32_t {
    None = 0,
    Audit = 1u << 0,           ///< update record: an audit line per applied change
    NewKey = 1u << 1,          ///< new row: the key column (iKey unless named) gets a new unique number
    DateParts = 1u << 2,       ///< before post: SDay, DayName, SMonth, SYear of the named date
    YearPart = 1u << 3,        ///< before post: SYear of the named date only
    Master = 1u << 4,          ///< new row: master defaults; before post: absence class default
    Education = 1u << 5,       ///< new row: blank notes; after insert: a new iEstabNo
    Allowance = 1u << 6,       ///< new row: one occurrence; before post: description and amount
    Hours = 1u << 7,           ///< before post: start and end times as text, day adjustment 0
    Appraisal = 1u << 8,       ///< after scroll and close: the appraisal detail datasets follow
    AppraisalDetail = 1u << 9, ///< new row: staff number and appraisal number of the appraisal
};

constexpr RowRule operator|(RowRule a, RowRule b)
{
    return static_cast<RowRule>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
constexpr bool hasRule(RowRule set, RowRule rule)
{
    return (static_cast<std::uint32_t>(set) & static_cast<std::uint32_t>(rule)) != 0;
}

/// One dataset of the main data module.
struct MainDatasetEntry {
    const char* name;
    /// The database alias; kEmployeeDesignName for the employee datasets.
    const char* database;
    const char* sql;
    /// The table the update statements write; nullptr for a read-only dataset.
    const char* updateTable = nullptr;
    /// The key columns of the update statements, comma-separated.
    const char* keys = nullptr;
    RowRule rules = RowRule::None;
    /// NewKey: the key column when it is not iKey.
    const char* keyColumn = nullptr;
    /// DateParts, YearPart: the date the parts come from.
    const char* dateField = nullptr;
    /// Rows read from this table are written to updateTable (only the keys).
    const char* readsFrom = nullptr;
};

/// Every dataset of the main data module, employee datasets first, in
/// declaration order.
std::span<const MainDatasetEntry> mainCatalogue();

/// The three detail datasets that follow the current appraisal.
inline constexpr const char* kAppraisalDetails[] = {"qryEmpAst", "QryEmpObj", "qryempTrg"};

} // namespace zorv::data
