#include "server/TUserSession.h"

namespace zorv::server {

namespace {
/// Runs one step of the teardown; a failure must not stop the next step.
template <class Step>
void guarded(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}
} // namespace

TUserSession::TUserSession()
{
    // The modules are created in this order, not in the order of the fields.
    dmMain = std::make_unique<data::TdmMain>();
    dmWork = std::make_unique<data::TdmWork>();
    dmEmpCom = std::make_unique<data::TdmEmpCom>();
    dmEmpDts = std::make_unique<data::TdmEmpDts>();
    dmGlobal = std::make_unique<data::TdmGlobal>();
}

TUserSession::~TUserSession() { FreeDataModules(); }

void TUserSession::FreeDataModules()
{
    guarded([&] { dmMain.reset(); });
    guarded([&] { dmWork.reset(); });
    guarded([&] { dmEmpCom.reset(); });
    guarded([&] { dmEmpDts.reset(); });
    guarded([&] { dmGlobal.reset(); });
}

void TUserSession::ClearIdentity()
{
    Profile.clear();
    UserName.clear();
    StaffNo.clear();
    NchdMasterField.clear();
    SecurityCode.clear();
    UserCode.clear();
    SupervisedRights.clear();
    Group.clear();
    DatabaseName.clear();
    IsAdministrator = false;
    Language.clear();
    NchdStaffNo.clear();
    NchdPeriod.clear();
    FlexiStaffNo.clear();
    NavigationBusy = false;
    CurrentScreenTag = 0;
    CurrentStaffNo.clear();
    NchdMode = 0;
    NchdStaffList.clear();
    NchdStaffIndex = 0;
    RecordKeyField.clear();
    RecordKeyValue.clear();
    HolidayPrintFromMain = false;
    BreakStaffNo.clear();
    BreakFrom = DateTime{Date{1899, 12, 30}};
    BreakTo = DateTime{Date{1899, 12, 30}};
    ReturnToQuickEdit = false;
}

TUserSession* UserSession()
{
    try {
        web::WebSession* web = web::WebSession::current();
        return web ? dynamic_cast<TUserSession*>(web->data()) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

data::TdmMain* CurrentDmMain()
{
    auto* s = UserSession();
    return s ? s->dmMain.get() : nullptr;
}

data::TdmEmpCom* CurrentDmEmpCom()
{
    auto* s = UserSession();
    return s ? s->dmEmpCom.get() : nullptr;
}

data::TdmWork* CurrentDmWork()
{
    auto* s = UserSession();
    return s ? s->dmWork.get() : nullptr;
}

data::TdmEmpDts* CurrentDmEmpDts()
{
    auto* s = UserSession();
    return s ? s->dmEmpDts.get() : nullptr;
}

data::TdmGlobal* CurrentDmGlobal()
{
    auto* s = UserSession();
    return s ? s->dmGlobal.get() : nullptr;
}

} // namespace zorv::server
