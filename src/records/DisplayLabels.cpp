#include "records/DisplayLabels.h"

#include "common/Text.h"
#include "data/ReferenceCache.h"
#include "data/db/Connection.h"

namespace zorv::records {

namespace {
constexpr const char* kHiddenField = "IKEY";
}

bool isEnglish(const std::string& language)
{
    const std::string code = trim(language);
    return code.empty() || iequals(code, "EN");
}

DisplayLabels DisplayLabels::read(db::Connection& reference, const std::string& dataset, const std::string& language)
{
    // The whole LABEL row is read, so the caption column of a language is
    // picked by name from the result and never composed into the statement.
    const auto rows = data::ReferenceCache::instance().rows(
        reference,
        "select b.* from TABLES a, LABEL b where upper(a.TABLENAME) = upper(b.TABLENAME) and upper(a.DATASET) = ?",
        {toUpper(dataset)}, {"TABLES", "LABEL"});
    const std::string ownColumn = "CAPTION" + toUpper(trim(language));
    DisplayLabels labels;
    for (const db::Row& row : *rows) {
        const std::string field = trim(row["FIELDNAME"].asString());
        std::string caption = row["CAPTION"].asString();
        if (!isEnglish(language) && row.columns().find(ownColumn)) {
            if (std::string own = row[ownColumn].asString(); !own.empty())
                caption = std::move(own);
        }
        if (!field.empty() && !caption.empty())
            labels.titles_.try_emplace(toUpper(field), std::move(caption));
    }
    return labels;
}

std::string DisplayLabels::title(const std::string& field) const
{
    auto found = titles_.find(toUpper(field));
    return found == titles_.end() ? field : found->second;
}

bool DisplayLabels::visible(const std::string& field) const { return !iequals(field, kHiddenField); }

} // namespace zorv::records
