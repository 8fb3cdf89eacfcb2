#include "tools/ReferenceData.h"
#include "tools/ScreenFields.h"

#include <fmt/format.h>
#include <string>

namespace zorv::admin {

namespace {

constexpr int kPayScalePoints = 25;
constexpr int kFirstPointField = 4001;

struct TableEntry {
    std::string_view table;
    std::string_view dataSet;
    std::string_view dateField;
};

constexpr TableEntry kTables[] = {
    {"master", "qryEmpDts", "DateOfJoin"},     {"Absence", "qryEmpAbs", "StartDate"},
    {"Training", "qryEmpTrn", "DDate"},        {"edestab", "qryEmpEdu", "Dfrom"},
    {"Emergenc", "qryEmpEct", ""},             {"PayHist", "qryEmpPay", "FromDate"},
    {"Apprais", "qryEmpApr", "AppraisalDate"}, {"Career", "qryEmpCer", "DDate"},
    {"Benefit", "qryEmpBnf", "DFrom"},         {"Notes", "qryEmpNot", "DDate"},
    {"accident", "qryEmpAcc", "DateOfAccident"}, {"Employ", "qryEmpEmp", "dfrom"},
    {"Family", "qryEmpFam", ""},               {"Bank", "qryEmpBnk", ""},
    {"Skills", "qryEmpSkl", ""},               {"ProMem", "qryEmpPro", "dJoined"},
    {"ExitInt", "qryEmpExt", "DDate"},         {"Corresp", "qryEmpCor", "DDate"},
    {"tempSP", "qryEmpSP", "DStart"},          {"Files", "qryEmpAtt", ""},
    {"templat", "qryEmpLat", "DDate"},
};

class LabelWriter {
public:
    explicit LabelWriter(DatabaseContent& globalSet)
        : rows_(globalSet.table("LABEL", {"AFIELD", "CAPTION", "CAPTIONGA", "TABLENAME", "FIELDNAME", "ATYPE",
                                          "ALLOWQUERY", "LMANDATORY", "IFIELDSIZE", "AMASK"}))
    {
    }

    void add(std::string_view table, const ScreenField& field)
    {
        add(std::to_string(next_++), std::string(field.caption), table, field.field, field.type, field.size,
            field.mandatory);
    }

    void add(const std::string& number, const std::string& caption, std::string_view table, std::string_view field,
             char type, int size, bool mandatory)
    {
        rows_.add({number, caption, "", std::string(table), std::string(field), std::string(1, type), "TRUE",
                   mandatory ? "TRUE" : "FALSE", size, nullptr});
    }

private:
    TableRows& rows_;
    int next_ = 1;
};

} // namespace

void addLabels(DatabaseContent& globalSet)
{
    LabelWriter labels(globalSet);
    for (const RecordScreen& screen : recordScreens()) {
        for (const ScreenField& field : screen.fields)
            labels.add(screen.table, field);
    }
    // The priority of emergency contacts, which older installations add at start-up.
    labels.add("998", "Priority", "EMERGENC", "iPriority", 'I', 20, false);
    for (int point = 1; point <= kPayScalePoints; ++point) {
        labels.add(std::to_string(kFirstPointField + point - 1), fmt::format("Point {}", point), "payscale",
                   fmt::format("NPOINT{}", point), 'N', 12, false);
    }

    auto& tables = globalSet.table("TABLES", {"TABLENAME", "DATASET", "DATEFIELD"});
    for (const TableEntry& entry : kTables)
        tables.add({std::string(entry.table), std::string(entry.dataSet), std::string(entry.dateField)});
}

} // namespace zorv::admin
