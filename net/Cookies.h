#pragma once

#include "text/Text.h"

namespace tunelark {

// Folds the name=value items of newCookies into cookies (both ";"-separated). Both arguments
// are written back without spaces; the merged text ("a=1;b=2;") is returned and written to
// cookies. A cookie whose new value is empty or "deleted" is dropped.
Text MergeCookies(Text& cookies, Text& newCookies);

// The part of an item before its first "=", trimmed of spaces; the whole item when it has none.
[[nodiscard]] Text CookieName(const Text& item);
// Everything after the item's first "="; "" when it has none.
[[nodiscard]] Text CookieValue(const Text& item);

}  // namespace tunelark
