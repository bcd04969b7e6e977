#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Text.h"

namespace tunelark {

// Where a request goes, split out of its address.
struct RequestAddress {
    bool secure = false;
    std::string host;  // UTF-8; an IPv6 literal keeps its brackets
    int port = 0;      // the scheme's default when the address names none
    // Path and query, escaped for the request line; "/" alone when the path is empty.
    std::string objectName;

    // The address handed to the HTTP stack.
    [[nodiscard]] std::string Url() const;
};

// Splits a GBK address of the form http[s]://[user@]host[:port][/path][?query][#fragment].
// nullopt when it does not split that way (unknown scheme, empty or malformed host, bad port).
// The fragment is never sent.
[[nodiscard]] std::optional<RequestAddress> SplitAddress(const Text& address);

// Escapes what may not stand in a request line as %XX (spaces, control characters, bytes of
// non-ASCII characters, "<>\"\\^`{|}"); "%" itself is left alone.
[[nodiscard]] std::string EscapeUnsafe(std::string_view utf8);

}  // namespace tunelark
