#pragma once

#include <string>

namespace zorv::data {

/// What the data modules need of the session that owns them. The user
/// session implements it; the data layer knows nothing of pages.
class SessionView {
public:
    virtual ~SessionView() = default;
    virtual const std::string& userName() const = 0;
    virtual const std::string& profile() const = 0;
    /// Caption language code ("EN", "GA").
    virtual const std::string& language() const = 0;
    virtual const std::string& databaseName() const = 0;
    /// Users.ASECURITYCODE of the user's profile: the key of the rights tables.
    virtual const std::string& securityCode() const = 0;
    /// tLogin.AGROUP: the group whose members the user may see, or "VIEW SELF ONLY".
    virtual const std::string& group() const = 0;
    /// The signed-in user's own staff number.
    virtual const std::string& staffNo() const = 0;
    virtual void setDatabaseName(const std::string& name) = 0;
    /// Shows a message box with the next page of the session.
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace zorv::data
