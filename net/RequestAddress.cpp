#include "net/RequestAddress.h"

#include <algorithm>
#include <charconv>

#include "net/HeaderText.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr int kHttpPort = 80;
constexpr int kHttpsPort = 443;
constexpr int kHighestPort = 65535;

bool IsUnsafe(unsigned char c) {
    static constexpr std::string_view kUnsafe = "<>\"\\^`{|}";
    return c <= 0x20 || c >= 0x7F || kUnsafe.find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsHostCharacter(unsigned char c) {
    const bool alphanumeric =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    // Bytes of non-ASCII characters: an internationalised name, left to the resolver.
    return alphanumeric || c == '-' || c == '.' || c == '_' || c == '~' || c >= 0x80;
}

bool IsIpv6Character(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
           c == '.';
}

template <typename Predicate>
bool AllOf(std::string_view text, Predicate predicate) {
    for (char c : text) {
        if (!predicate(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

bool IsValidHost(std::string_view host) {
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        return AllOf(host.substr(1, host.size() - 2), IsIpv6Character);
    }
    return !host.empty() && AllOf(host, IsHostCharacter);
}

// "" means the scheme's default.
std::optional<int> ParsePort(std::string_view text, int defaultPort) {
    if (text.empty()) return defaultPort;
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 ||
        port > kHighestPort) {
        return std::nullopt;
    }
    return port;
}

// Host and port out of "[user@]host[:port]".
bool SplitAuthority(std::string_view authority, RequestAddress& target) {
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    const std::size_t hostEnd =
        authority.starts_with('[') ? authority.find(']') + 1 : authority.find(':');
    if (hostEnd == 0) return false;  // "[" without "]"
    const std::string_view host = authority.substr(0, hostEnd);
    std::string_view portText;
    if (hostEnd < authority.size()) {
        if (authority[hostEnd] != ':') return false;
        portText = authority.substr(hostEnd + 1);
    }
    const auto port = ParsePort(portText, target.secure ? kHttpsPort : kHttpPort);
    if (!IsValidHost(host) || !port) return false;
    target.host = std::string(host);
    target.port = *port;
    return true;
}

}  // namespace

std::string RequestAddress::Url() const {
    return (secure ? "https://" : "http://") + host + ":" + std::to_string(port) + objectName;
}

std::string EscapeUnsafe(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(utf8.size());
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnsafe(byte)) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::optional<RequestAddress> SplitAddress(const Text& address) {
    // Non-ASCII characters travel as UTF-8, which is what servers expect in an address.
    const std::string utf8 = GbkToUtf8(address);
    std::string_view rest = utf8;
    const std::size_t schemeEnd = rest.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    RequestAddress target;
    const std::string_view scheme = rest.substr(0, schemeEnd);
    target.secure = EqualIgnoringCase(scheme, "https");
    if (!target.secure && !EqualIgnoringCase(scheme, "http")) return std::nullopt;
    rest.remove_prefix(schemeEnd + 3);

    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    if (!SplitAuthority(rest.substr(0, authorityEnd), target)) return std::nullopt;
    rest.remove_prefix(authorityEnd);

    rest = rest.substr(0, rest.find('#'));
    const std::string_view path = rest.substr(0, rest.find('?'));
    // Without a path the query is not sent either: the request asks for "/" alone.
    target.objectName = path.empty() ? "/" : EscapeUnsafe(rest);
    return target;
}

}  // namespace tunelark
