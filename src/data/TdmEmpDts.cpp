#include "data/TdmEmpDts.h"

namespace zorv::data {

TdmEmpDts::TdmEmpDts(DataContext context) : DataModule("dmEmpDts", std::move(context)) {}

TdmEmpDts::~TdmEmpDts() = default;

} // namespace zorv::data
