#pragma once

#include <stdexcept>
#include <string>

struct ldap;

namespace zorv::signin {

/// A failed directory operation. The message is the client library's text for
/// its result code, or one of the fixed texts of ldapConnection.
class ELDAP : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The directory server and the text put around a login name to form the bind
/// name ([Windows] ActiveDirectory, ActivePrefix, ActiveSuffix).
struct DirectorySettings {
    std::string server;
    std::string prefix;
    std::string suffix;
};

/// One connection to a directory server, used by one thread. Every failing
/// operation throws ELDAP. The destructor unbinds a connection still open.
class ldapConnection {
public:
    static constexpr int kPort = 389;
    static constexpr const char* kOpenFailed = "Error Opening Connection to Server";
    static constexpr const char* kNotOpen = "No Exisiting Connection to Server";

    /// server: host name or address (port kPort), or an ldap:// / ldaps:// URL
    /// used as given. bindName and password: the initial bind of Open.
    explicit ldapConnection(std::string server, std::string bindName = {}, std::string password = {});
    ~ldapConnection();
    ldapConnection(const ldapConnection&) = delete;
    ldapConnection& operator=(const ldapConnection&) = delete;

    /// Connects (network and operation time-outs of 5 s) and binds with the
    /// stored name and password, anonymously when either is empty. A server
    /// that cannot be reached or does not answer throws kOpenFailed.
    void Open();
    /// Stores name and password, then binds with them; anonymously when either
    /// is empty, so a name is never sent without a password. Throws kNotOpen
    /// before Open or after Close.
    void Bind(const std::string& name, const std::string& password);
    /// Unbinds and forgets the connection; does nothing when not open.
    void Close();

    bool isOpen() const { return handle_ != nullptr; }
    const std::string& server() const { return server_; }
    const std::string& bindName() const { return bindName_; }
    int port() const { return port_; }

private:
    /// The library's result code of a simple bind (anonymous when name or
    /// password is empty).
    int simpleBind(const std::string& name, const std::string& password);

    ::ldap* handle_ = nullptr;
    std::string server_;
    std::string bindName_;
    std::string password_;
    int port_ = kPort;
};

/// True when the directory accepts login (between the prefix and suffix of
/// directory) with password. An empty login or password, or a login holding a
/// character with a meaning in distinguished names, is false without contacting
/// the server; a refused bind is false. A server that cannot be reached and a
/// failing unbind throw ELDAP. Opens a connection of its own.
bool DirectoryCheck(const DirectorySettings& directory, const std::string& login, const std::string& password);

} // namespace zorv::signin
