#pragma once

#include <string>
#include <string_view>

namespace zorv::web {

/// The address a client is known by: an IPv4-mapped IPv6 address
/// (::ffff:a.b.c.d, in any IPv6 spelling) becomes the plain IPv4 address
/// a.b.c.d, so that a client reaching a dual-stack listener is counted under
/// one address. Any other text, valid or not, comes back unchanged.
std::string plainClientAddress(std::string_view address);

} // namespace zorv::web
