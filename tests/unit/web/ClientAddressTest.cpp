// The address a client is counted under, whatever the listener's family.

#include "web/ClientAddress.h"

#include <gtest/gtest.h>

namespace zorv::web {
namespace {

TEST(ClientAddressTest, MappedIpv4AddressesBecomePlainAndOthersStayAsTheyAre)
{
    const struct {
        const char* name;
        const char* address;
        const char* expected;
    } cases[] = {
        {"plain IPv4", "192.0.2.7", "192.0.2.7"},
        {"mapped, as the listener reports it", "::ffff:192.0.2.7", "192.0.2.7"},
        {"mapped, upper case", "::FFFF:10.1.2.3", "10.1.2.3"},
        {"mapped, written out", "0:0:0:0:0:ffff:192.0.2.7", "192.0.2.7"},
        {"mapped, in hex groups", "::ffff:c000:207", "192.0.2.7"},
        {"mapped loopback", "::ffff:127.0.0.1", "127.0.0.1"},
        {"IPv6 loopback", "::1", "::1"},
        {"ordinary IPv6", "2001:db8::1", "2001:db8::1"},
        {"IPv4 tail under another prefix", "2001:db8::ffff:192.0.2.7", "2001:db8::ffff:192.0.2.7"},
        {"IPv4-compatible is not mapped", "::192.0.2.7", "::192.0.2.7"},
        {"translated prefix is not mapped", "::ffff:0:192.0.2.7", "::ffff:0:192.0.2.7"},
        {"mapped with a bad IPv4 part", "::ffff:300.0.2.7", "::ffff:300.0.2.7"},
        {"mapped with a zone", "::ffff:192.0.2.7%eth0", "::ffff:192.0.2.7%eth0"},
        {"empty", "", ""},
        {"not an address", "localhost", "localhost"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plainClientAddress(c.address), c.expected);
    }
}

} // namespace
} // namespace zorv::web
