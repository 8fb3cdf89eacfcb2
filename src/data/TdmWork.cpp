#include "data/TdmWork.h"

#include "data/MainCatalogue.h"

namespace zorv::data {

TdmWork::TdmWork(DataContext context) : DataModule("dmWork", std::move(context))
{
    addDataset("qryPaySign", "VizereDivIdid",
               "select * from PaySign where staffno = :EmpNo and dstart >= :dstart and dstart < :dend order by dstart")
        .setUpdateTable("PAYSIGN", {"STAFFNO", "IKEY"});
    addDataset("qryCarryFor", kEmployeeDesignName, "select * from CarryFor where StaffNo = :EmpNo order by DFrom", 1)
        .setUpdateTable("CARRYFOR", {"STAFFNO", "IKEY"});
}

TdmWork::~TdmWork() = default;

} // namespace zorv::data
