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
    virtual void setDatabaseName(const std::string& name) = 0;
    /// Shows a message box with the next page of the session.
    virtual void showMessage(const std::string& text) = 0;
};

} // namespace zorv::data
