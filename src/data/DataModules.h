#pragma once

// The per-session data modules, created by the user session in the order
// dmMain, dmWork, dmEmpCom, dmEmpDts, dmGlobal.
#include "data/TdmEmpCom.h"
#include "data/TdmEmpDts.h"
#include "data/TdmGlobal.h"
#include "data/TdmMain.h"
#include "data/TdmWork.h"
