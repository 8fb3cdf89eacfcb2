#include "data/CommonHelpers.h"

#include "common/Ini.h"
#include "common/ProgramFolder.h"
#include "common/Text.h"
#include "data/TdmMain.h"

namespace zorv::data {

namespace {

constexpr const char* kMessagesDataset = "qryMessages";
constexpr const char* kEnglishColumn = "MESSAGEEN";

} // namespace

std::string Translate(TdmMain& dmMain, const std::string& language, const std::string& text)
{
    Dataset& messages = dmMain.dataset(kMessagesDataset);
    if (!messages.active())
        dmMain.open(messages);
    if (!messages.locate({{kEnglishColumn, text}}, true))
        return text;
    const std::string column = "message" + language;
    if (!messages.hasField(column))
        return text;
    const std::string translated = messages.fieldText(column);
    return trim(translated).empty() ? text : translated;
}

bool AddEmpWeekEnabled() { return Ini(zorvwebIniPath()).readBool("EmpWork", "AddEmpWeek", false); }

bool UseListEnabled(int tag) { return Ini(zorvwebIniPath()).readBool(std::to_string(tag), "useList", false); }

} // namespace zorv::data
