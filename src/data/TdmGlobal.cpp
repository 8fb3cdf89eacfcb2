#include "data/TdmGlobal.h"

namespace zorv::data {

TdmGlobal::TdmGlobal(DataContext context) : DataModule("dmGlobal", std::move(context)) {}

TdmGlobal::~TdmGlobal() = default;

} // namespace zorv::data
