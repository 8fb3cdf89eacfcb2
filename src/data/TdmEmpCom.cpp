#include "data/TdmEmpCom.h"

#include "data/SessionAudit.h"

namespace zorv::data {

TdmEmpCom::TdmEmpCom(DataContext context) : DataModule("dmEmpCom", std::move(context)) { useWebAuditFolder(wcLogFile); }

TdmEmpCom::~TdmEmpCom() = default;

} // namespace zorv::data
