#pragma once

#include <string>
#include <string_view>

namespace zorv::signin {

/// The URL list that libldap connects to for a configured directory server.
/// A value that already starts with ldap:// or ldaps:// (any case) is used as
/// given; otherwise each space-separated host name or address becomes
/// ldap://host:port (an IPv6 address in brackets). Empty when the value is
/// empty or holds a character that no host name has.
std::string directoryUrl(std::string_view server, int port);

/// True when a typed login name can be put into a bind name as it is: not
/// empty and free of the characters with a meaning in distinguished names
/// (, + " \ < > ; =) and of NUL.
bool isSafeDirectoryLogin(std::string_view login);

} // namespace zorv::signin
