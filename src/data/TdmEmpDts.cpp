#include "data/TdmEmpDts.h"

#include "data/DesignNames.h"
#include "data/SessionAudit.h"
#include "data/SessionView.h"

#include <stdexcept>

namespace zorv::data {

namespace {

constexpr const char* kEmp = kEmployeeServerDesignName;
constexpr const char* kAuditSource = "ZorvWeb";

} // namespace

TdmEmpDts::TdmEmpDts(DataContext context) : DataModule("dmEmpDts", std::move(context))
{
    addDataset("qryEmpClk", kEmp, "select * from tEmpClk where StaffNo = :EmpNo order by DIn");
    addDataset("qryEmpExc", kEmp,
               "select * from tEmpExc where StaffNo = :EmpNo and dEvent >= :tstart and dEvent < :tend order by dEvent")
        .setUpdateTable("TEMPEXC", {"STAFFNO", "IKEY"});
    addDataset("qryEmpWork", kEmp, "select * from tEmpWork where StaffNo = :EmpNo and dDate = :dDate")
        .setUpdateTable("TEMPWORK", {"STAFFNO", "DDATE", "IKEY"});
    addDataset("qryEmpDay", kEmp,
               "select * from ttplWeek where StaffNo = :EmpNo and dWeekDate = :dWeekDate order by dDayOfWeek")
        .setUpdateTable("TTPLWEEK", {"STAFFNO", "IKEY"});

    for (Dataset* dataset : datasets())
        if (!dataset->updateTable().empty())
            dataset->onUpdateRecord = [](Dataset& d, const PendingChange&) {
                throw std::logic_error(d.moduleName() + " has no audit log: " + d.name() + " cannot be saved.");
            };
}

TdmEmpDts::~TdmEmpDts() = default;

void TdmEmpDts::setAuditLog(TLogFile& log)
{
    for (Dataset* dataset : datasets())
        if (!dataset->updateTable().empty())
            dataset->onUpdateRecord = auditChangesTo(
                log, [this] { return session().profile(); }, kAuditSource);
}

} // namespace zorv::data
