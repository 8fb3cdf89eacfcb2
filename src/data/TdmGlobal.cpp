#include "data/TdmGlobal.h"

#include "data/DesignNames.h"
#include "data/db/Connection.h"

namespace zorv::data {

TdmGlobal::TdmGlobal(DataContext context) : DataModule("dmGlobal", std::move(context))
{
    addDataset("qryLookup", kGlobalHrDesignName, "select * from lookup where upper(atype) = upper(:atype)");
    addDataset("qryTplWeek", kGlobalWorkDesignName, "select * from TTplWeek order by aTemplate, iDaySeq");
    addDataset("qryUsers", kCentralGlobalDesignName, "select * from Users where upper(cUserCode) = upper(:UserCode)");
    addDataset("qryEmpNames", kEmployeeSessionDesignName,
               "select StaffNo, Forenames, Surname from master order by Surname, Forenames");
}

TdmGlobal::~TdmGlobal() = default;

void TdmGlobal::QueueHolidayUpdate(const std::string& staffNo, const std::string& paid, bool stretch,
                                   const std::string& event, const std::string& reason, const std::string& holiday,
                                   const DateTime& start, const DateTime& end)
{
    const DateTime queuedEnd = stretch ? end : end.addDays(1);
    connection("VizereDivIdid")
        .execute("insert into HolUpd (staffno, dStart, dEnd, aPaid, aHoliday, aReason, aEvent, lStretch) "
                 "values (?, ?, ?, ?, ?, ?, ?, ?)",
                 {staffNo, start, queuedEnd, paid, holiday, reason, event, stretch ? "True" : "False"});
}

} // namespace zorv::data
