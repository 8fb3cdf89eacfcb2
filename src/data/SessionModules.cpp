#include "data/SessionModules.h"

#include "data/DataModules.h"

namespace zorv::data {

void linkSessionModules(TdmMain& dmMain, TdmWork& dmWork, TdmEmpCom& dmEmpCom, TdmEmpDts& dmEmpDts, TdmGlobal& dmGlobal)
{
    dmMain.setEmployeeFollowers({&dmWork, &dmEmpDts, &dmEmpCom, &dmGlobal});
    dmEmpDts.setAuditLog(dmEmpCom.wcLogFile);
    dmMain.MapDesignDatabaseNames(dmEmpCom);
    dmMain.MapDesignDatabaseNames(dmEmpDts);
    dmMain.MapDesignDatabaseNames(dmGlobal);
}

} // namespace zorv::data
