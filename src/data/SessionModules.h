#pragma once

namespace zorv::data {

class TdmEmpCom;
class TdmEmpDts;
class TdmGlobal;
class TdmMain;
class TdmWork;

/// Links the five data modules of one session after they are created (and
/// again after dmMain is replaced): dmMain re-points the employee datasets of
/// dmWork, dmEmpDts, dmEmpCom and dmGlobal, in that order, when the session
/// connects an employee database; dmEmpDts audits into dmEmpCom's log; the
/// design-time database names of dmEmpCom, dmEmpDts and dmGlobal become
/// aliases (MapDesignDatabaseNames). Running it again changes nothing else.
/// The modules must live as long as dmMain.
void linkSessionModules(TdmMain& dmMain, TdmWork& dmWork, TdmEmpCom& dmEmpCom, TdmEmpDts& dmEmpDts,
                        TdmGlobal& dmGlobal);

} // namespace zorv::data
