#include "server/TUserSession.h"

#include "common/Guarded.h"
#include "data/SessionModules.h"
#include "data/Tdmdata.h"

namespace zorv::server {

TUserSession::TUserSession(std::function<data::Tdmdata*()> app)
    : app_(std::move(app)), connections_([this]() -> db::Pools* {
          data::Tdmdata* shared = app_ ? app_() : nullptr;
          return shared ? &shared->pools() : nullptr;
      })
{
    // The modules are created in this order, not in the order of the fields.
    dmMain = std::make_unique<data::TdmMain>(dataContext());
    dmWork = std::make_unique<data::TdmWork>(dataContext());
    dmEmpCom = std::make_unique<data::TdmEmpCom>(dataContext());
    dmEmpDts = std::make_unique<data::TdmEmpDts>(dataContext());
    dmGlobal = std::make_unique<data::TdmGlobal>(dataContext());
    data::linkSessionModules(*dmMain, *dmWork, *dmEmpCom, *dmEmpDts, *dmGlobal);
}

data::DataContext TUserSession::dataContext() { return data::DataContext{app_, &connections_, this}; }

void TUserSession::RequestFinished() noexcept { connections_.releaseAll(); }

void TUserSession::DropPendingChanges() noexcept
{
    // Giving the connections back rolls back their open transactions.
    connections_.releaseAll();
    for (data::DataModule* module : std::initializer_list<data::DataModule*>{
             dmMain.get(), dmWork.get(), dmEmpCom.get(), dmEmpDts.get(), dmGlobal.get()}) {
        if (!module)
            continue;
        for (data::Dataset* dataset : module->datasets())
            guarded([&] { dataset->cancelUpdates(); });
    }
}

void TUserSession::RecreateMainModule()
{
    dmMain.reset();
    dmMain = std::make_unique<data::TdmMain>(dataContext());
    data::linkSessionModules(*dmMain, *dmWork, *dmEmpCom, *dmEmpDts, *dmGlobal);
}

void TUserSession::showMessage(const std::string& text)
{
    if (auto* web = web::WebSession::current())
        web->showMessage(text);
}

TUserSession::~TUserSession() { FreeDataModules(); }

void TUserSession::FreeDataModules()
{
    connections_.releaseAll();
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
