#include "data/TdmEmpCom.h"

namespace zorv::data {

TdmEmpCom::TdmEmpCom(DataContext context) : DataModule("dmEmpCom", std::move(context)) {}

TdmEmpCom::~TdmEmpCom() = default;

} // namespace zorv::data
