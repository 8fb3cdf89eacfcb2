#include "signin/LdapNames.h"

#include <algorithm>
#include <cctype>

namespace zorv::signin {

namespace {

constexpr std::string_view kDnMeaningfulCharacters{",+\"\\<>;=\0", 9};
constexpr std::string_view kUrlSchemes[] = {"ldap://", "ldaps://"};
constexpr std::string_view kHostSeparators = " \t";

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool isUrl(std::string_view server)
{
    return std::any_of(std::begin(kUrlSchemes), std::end(kUrlSchemes),
                       [&](std::string_view scheme) { return startsWithNoCase(server, scheme); });
}

bool isHostCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == ':' || c == '[' ||
           c == ']';
}

bool isIpv6Literal(std::string_view host)
{
    return host.find(':') != std::string_view::npos && host.front() != '[';
}

/// ldap://host:port for one host; empty when the host is not a host name.
std::string hostUrl(std::string_view host, int port)
{
    if (!std::all_of(host.begin(), host.end(), isHostCharacter))
        return {};
    const std::string bracketed = isIpv6Literal(host) ? "[" + std::string(host) + "]" : std::string(host);
    return "ldap://" + bracketed + ":" + std::to_string(port);
}

} // namespace

std::string directoryUrl(std::string_view server, int port)
{
    if (isUrl(server))
        return std::string(server);
    std::string urls;
    std::size_t start = server.find_first_not_of(kHostSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(server.find_first_of(kHostSeparators, start), server.size());
        const std::string url = hostUrl(server.substr(start, end - start), port);
        if (url.empty())
            return {};
        urls += urls.empty() ? url : " " + url;
        start = server.find_first_not_of(kHostSeparators, end);
    }
    return urls;
}

bool isSafeDirectoryLogin(std::string_view login)
{
    return !login.empty() && login.find_first_of(kDnMeaningfulCharacters) == std::string_view::npos;
}

} // namespace zorv::signin
