#include "data/DataModules.h"

namespace zorv::data {

// The datasets arrive with the database layer; until then the modules are empty.
TdmMain::TdmMain() = default;
TdmMain::~TdmMain() = default;
void TdmMain::UnlockAllForUser(const char*) {}
TdmEmpCom::TdmEmpCom() = default;
TdmEmpCom::~TdmEmpCom() = default;
TdmWork::TdmWork() = default;
TdmWork::~TdmWork() = default;
TdmEmpDts::TdmEmpDts() = default;
TdmEmpDts::~TdmEmpDts() = default;
TdmGlobal::TdmGlobal() = default;
TdmGlobal::~TdmGlobal() = default;

} // namespace zorv::data
