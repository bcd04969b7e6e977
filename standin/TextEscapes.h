#pragma once

#include <string>
#include <string_view>

namespace tunelark::standin {

// Bytes of non-ASCII characters, "%", quotes, backslashes and control characters as %XX; the
// music service sends its field values so.
[[nodiscard]] std::string PercentEscape(std::string_view utf8);

// The text as a JSON string's content: quotes, backslashes and control characters escaped.
[[nodiscard]] std::string JsonEscape(std::string_view utf8);

// The text safe inside HTML elements and attribute values.
[[nodiscard]] std::string HtmlEscape(std::string_view utf8);

// Only letters, digits, "_", "$" and "." of a script callback name the client chose; a name
// left empty becomes fallback.
[[nodiscard]] std::string CallbackName(std::string_view requested, std::string_view fallback);

}  // namespace tunelark::standin
