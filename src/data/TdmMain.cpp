#include "data/TdmMain.h"

namespace zorv::data {

TdmMain::TdmMain(DataContext context) : DataModule("dmMain", std::move(context)) {}

TdmMain::~TdmMain() = default;

bool TdmMain::UnlockAllForUser() { return true; }

} // namespace zorv::data
