#pragma once

#include <string>

namespace zorv::db {

/// Where a database is and who attaches to it.
struct ConnectionTarget {
    /// A local file ("/srv/zorv/data/GLOBAL.FDB") opened by the embedded
    /// engine, or a database on a server: "host:/path" or "host/port:/path".
    std::string path;
    std::string user = "SYSDBA";
    /// Checked by a server; the embedded engine ignores it (file permissions
    /// are the only protection there).
    std::string password;

    /// The path names a server: it holds a ':' and does not start with '/'.
    bool isRemote() const;

    friend bool operator==(const ConnectionTarget&, const ConnectionTarget&) = default;
};

} // namespace zorv::db
