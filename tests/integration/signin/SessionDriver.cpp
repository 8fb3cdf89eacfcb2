#include "SessionDriver.h"

#include "data/Tdmdata.h"
#include "signin/TformMain.h"

namespace zorv::test {

SessionDriver::SessionDriver(const std::filesystem::path& home)
{
    server::ControllerOptions options;
    options.home = home;
    options.assetsDir = home;
    options.createDataModule = [home] { return data::Tdmdata::create(home); };
    controller_ = std::make_unique<server::TIWServerController>(std::move(options));
    controller_->ensureDataModule();
}

SessionDriver::~SessionDriver()
{
    session_.reset();
    controller_.reset();
}

web::WebResponse SessionDriver::remember(web::WebResponse response)
{
    lastBody_ = response.body;
    lastCookies_ = response.cookies;
    return response;
}

web::WebSession& SessionDriver::newSession(const Cookies& cookies)
{
    session_.reset();
    session_ = std::make_unique<web::WebSession>("s", *controller_);
    web::WebRequest first;
    for (const auto& [name, value] : cookies)
        first.cookies.set(name, value);
    first.clientAddress = kClientAddress;
    {
        web::CurrentSessionScope scope(session_.get(), &first);
        controller_->IWServerControllerBaseNewSession(*session_);
    }
    remember(session_->handle(first));
    return *session_;
}

web::WebResponse SessionDriver::post(const std::string& event, const Cookies& cookies,
                                     const std::vector<std::pair<std::string, std::string>>& values)
{
    if (!session_)
        newSession();
    session_->renderDocument();
    web::WebRequest r;
    r.isPost = true;
    r.clientAddress = kClientAddress;
    for (const auto& [name, value] : cookies)
        r.cookies.set(name, value);
    r.form.add("__serial", std::to_string(session_->renderSerial()));
    r.form.add("__csrf", session_->csrfToken());
    for (const auto& [name, value] : values)
        r.form.add(name, value);
    r.form.add("__event", event);
    return remember(session_->handle(r));
}

web::WebResponse SessionDriver::press(const std::string& login, const std::string& staffNo,
                                      const std::string& password, const std::string& button, const Cookies& cookies)
{
    if (!session_)
        newSession();
    std::vector<std::pair<std::string, std::string>> values;
    if (pageAs<signin::TformMain>())
        values = {{"edtLogin", login}, {"edtStaffno", staffNo}, {"edtPassword", password}};
    return post(button + ":click", cookies, values);
}

bool SessionDriver::signIn(const std::string& login, const std::string& staffNo, const std::string& password)
{
    newSession();
    press(login, staffNo, password);
    return !pageAs<signin::TformMain>() && !user().UserName.empty();
}

std::string SessionDriver::cookieSet(const std::string& name) const
{
    for (const auto& cookie : lastCookies_)
        if (cookie.name == name)
            return cookie.value;
    return {};
}

} // namespace zorv::test
