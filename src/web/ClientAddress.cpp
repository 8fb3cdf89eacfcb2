#include "web/ClientAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace zorv::web {

namespace {
/// The IPv4 address sits in the last four bytes of a mapped IPv6 address.
constexpr std::size_t kMappedIpv4Offset = 12;
} // namespace

std::string plainClientAddress(std::string_view address)
{
    const std::string text(address);
    in6_addr ipv6{};
    if (inet_pton(AF_INET6, text.c_str(), &ipv6) != 1 || !IN6_IS_ADDR_V4MAPPED(&ipv6))
        return text;
    char ipv4[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, ipv6.s6_addr + kMappedIpv4Offset, ipv4, sizeof ipv4) == nullptr)
        return text;
    return ipv4;
}

} // namespace zorv::web
