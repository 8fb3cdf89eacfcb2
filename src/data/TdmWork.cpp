#include "data/TdmWork.h"

namespace zorv::data {

TdmWork::TdmWork(DataContext context) : DataModule("dmWork", std::move(context)) {}

TdmWork::~TdmWork() = default;

} // namespace zorv::data
