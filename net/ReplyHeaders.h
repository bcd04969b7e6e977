#pragma once

#include <optional>

#include "text/Text.h"

namespace tunelark {

// What a reply's raw header block (status line and header lines, CR LF separated) tells.
struct ReplyHeaderFacts {
    Text headers;                  // the block with every "Set-Cookie", in any case, so spelled
    Text status;                   // "200 OK": the status line after its protocol field
    Text cookies;                  // "a=1; b=2": the name=value items of the Set-Cookie lines
    std::optional<Text> location;  // the last "Location: " line's value
};

// The status line from its tenth character (after "HTTP/1.1 ") up to the line's end.
[[nodiscard]] Text StatusFromHeaders(const Text& rawHeaders);

// Reads the block line by line, letting the window handle its events after each line.
[[nodiscard]] ReplyHeaderFacts ReadReplyHeaders(const Text& rawHeaders);

}  // namespace tunelark
