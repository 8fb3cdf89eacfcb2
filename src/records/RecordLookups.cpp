#include "records/RecordLookups.h"

#include "common/Text.h"
#include "data/ReferenceCache.h"
#include "data/db/Connection.h"

#include <algorithm>
#include <map>

namespace zorv::records {

namespace {

constexpr int kFirstScalePoint = 4001;
constexpr int kLastScalePoint = 4025;

/// A list read from a table: the statement, the table it reads.
struct TableList {
    const char* sql;
    const char* table;
};

const std::map<std::string, std::vector<std::string>> kFixedLists = {
    {"%YESNO%", {"Yes", "No"}},
    {"%GENDER%", {"Male", "Female"}},
    {"%PAYBASIS%", {"Hourly", "Salary", "Shift", "Daily"}},
    {"%PAYPERIOD%", {"Weekly", "2 Weekly", "3 Weekly", "4 Weekly", "Monthly"}},
};

const std::map<std::string, TableList> kTableLists = {
    {"%PAYGRADE%", {"select GRADE from PAYSCALE", "PAYSCALE"}},
    {"%ALLOWANCE CODE%", {"select ASPCODE from TCMPSP", "TCMPSP"}},
    {"%CURRENCY%", {"select ACURRENCY from TCURRNCY", "TCURRNCY"}},
};

std::vector<std::string> firstColumn(const db::ResultSet& rows)
{
    std::vector<std::string> values;
    for (const db::Row& row : rows)
        values.push_back(row[0].asString());
    return values;
}

std::vector<std::string> scalePoints(db::Connection& global)
{
    const auto rows = data::ReferenceCache::instance().rows(
        global, "select AFIELD, CAPTION from LABEL where AFIELD is not null", {}, {"LABEL"});
    std::map<long long, std::string> captions;
    for (const db::Row& row : *rows)
        if (auto point = parseWholeNumber(row["AFIELD"].asString()))
            captions.try_emplace(*point, row["CAPTION"].asString());
    std::vector<std::string> points;
    for (int point = kFirstScalePoint; point <= kLastScalePoint; ++point) {
        auto found = captions.find(point);
        points.push_back(found == captions.end() ? std::string() : found->second);
    }
    return points;
}

std::vector<std::string> unsortedChoices(db::Connection& global, const std::string& source)
{
    if (auto fixed = kFixedLists.find(source); fixed != kFixedLists.end())
        return fixed->second;
    if (source == "%POINTONSCALE%")
        return scalePoints(global);
    auto& cache = data::ReferenceCache::instance();
    if (auto list = kTableLists.find(source); list != kTableLists.end()) {
        const auto rows = cache.rows(global, list->second.sql, {}, {list->second.table});
        return firstColumn(*rows);
    }
    const auto rows = cache.rows(global, "select AENTRY from LOOKUP where upper(ATYPE) = ?", {source}, {"LOOKUP"});
    return firstColumn(*rows);
}

} // namespace

std::vector<std::string> lookupChoices(db::Connection& global, const std::string& source)
{
    std::vector<std::string> choices = unsortedChoices(global, toUpper(trim(source)));
    std::stable_sort(choices.begin(), choices.end(),
                     [](const std::string& a, const std::string& b) { return toUpper(a) < toUpper(b); });
    return choices;
}

bool isPayGradeSource(const std::string& source)
{
    const std::string name = toUpper(trim(source));
    return name == "%PAYGRADE%" || name == "%POINTONSCALE%";
}

} // namespace zorv::records
