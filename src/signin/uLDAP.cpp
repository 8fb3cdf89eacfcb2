#include "signin/uLDAP.h"

#include "signin/LdapNames.h"

#include <ldap.h>
#include <sys/time.h>
#include <utility>

namespace zorv::signin {

namespace {

constexpr timeval kNetworkTimeout{5, 0};
constexpr timeval kOperationTimeout{5, 0};

/// Result codes that mean the server could not be reached or did not answer.
bool isUnreachable(int result)
{
    return result == LDAP_SERVER_DOWN || result == LDAP_CONNECT_ERROR || result == LDAP_TIMEOUT;
}

void check(int result)
{
    if (result != LDAP_SUCCESS)
        throw ELDAP(ldap_err2string(result));
}

void setOption(LDAP* handle, int option, const void* value)
{
    check(ldap_set_option(handle, option, value));
}

void configure(LDAP* handle)
{
    const int version = LDAP_VERSION3;
    setOption(handle, LDAP_OPT_PROTOCOL_VERSION, &version);
    setOption(handle, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    setOption(handle, LDAP_OPT_NETWORK_TIMEOUT, &kNetworkTimeout);
    setOption(handle, LDAP_OPT_TIMEOUT, &kOperationTimeout);
}

} // namespace

ldapConnection::ldapConnection(std::string server, std::string bindName, std::string password)
    : server_(std::move(server)), bindName_(std::move(bindName)), password_(std::move(password))
{
}

ldapConnection::~ldapConnection()
{
    if (handle_)
        ldap_unbind_ext_s(handle_, nullptr, nullptr);
}

void ldapConnection::Open()
{
    Close();
    const std::string url = directoryUrl(server_, port_);
    if (url.empty() || ldap_initialize(&handle_, url.c_str()) != LDAP_SUCCESS || !handle_)
        throw ELDAP(kOpenFailed);
    try {
        configure(handle_);
        const int result = simpleBind(bindName_, password_);
        if (isUnreachable(result))
            throw ELDAP(kOpenFailed);
        check(result);
    } catch (const ELDAP&) {
        ldap_unbind_ext_s(std::exchange(handle_, nullptr), nullptr, nullptr);
        throw;
    }
}

void ldapConnection::Bind(const std::string& name, const std::string& password)
{
    bindName_ = name;
    password_ = password;
    if (!handle_)
        throw ELDAP(kNotOpen);
    check(simpleBind(name, password));
}

void ldapConnection::Close()
{
    if (!handle_)
        return;
    check(ldap_unbind_ext_s(std::exchange(handle_, nullptr), nullptr, nullptr));
}

int ldapConnection::simpleBind(const std::string& name, const std::string& password)
{
    const bool anonymous = name.empty() || password.empty();
    berval credentials{};
    if (!anonymous) {
        credentials.bv_len = password.size();
        credentials.bv_val = const_cast<char*>(password.data());
    }
    return ldap_sasl_bind_s(handle_, anonymous ? nullptr : name.c_str(), LDAP_SASL_SIMPLE, &credentials, nullptr,
                            nullptr, nullptr);
}

bool DirectoryCheck(const DirectorySettings& directory, const std::string& login, const std::string& password)
{
    if (password.empty() || !isSafeDirectoryLogin(login))
        return false;
    ldapConnection connection(directory.server);
    connection.Open();
    bool accepted = true;
    try {
        connection.Bind(directory.prefix + login + directory.suffix, password);
    } catch (const ELDAP&) {
        accepted = false;
    }
    connection.Close();
    return accepted;
}

} // namespace zorv::signin
