#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/Text.h"

namespace tunelark {

// Finds a meta tag's charset declaration; capture 1 is the charset's name.
inline constexpr const char* kMetaCharsetPattern = R"(<meta.+?charset=[^\w]?([-\w]+))";

// The charset that an HTML meta tag in the first 1024 bytes of text declares; "" when none.
[[nodiscard]] Text DeclaredCharset(const Text& text);

// body decoded as the named charset and converted to GBK; nullopt when the name is unknown.
[[nodiscard]] std::optional<Text> DecodeToGbk(std::string_view body, const std::string& charset);

// The page text as the system holds it: text (the body up to its first zero byte) when the page
// declares no charset, GBK or GB2312 (spelled so), or one the decoder does not know; otherwise
// the whole body decoded by its declared charset.
[[nodiscard]] Text ApplyDeclaredCharset(const Text& text, std::string_view body);

// A reply body as the page text the system holds: ApplyDeclaredCharset over the body read up to
// its first zero byte.
[[nodiscard]] Text PageText(std::string_view body);

}  // namespace tunelark
