#include "net/Cookies.h"

#include <string_view>
#include <vector>

#include "text/GbkSearch.h"
#include "text/GbkSpaces.h"

namespace tunelark {
namespace {

struct Cookie {
    Text name;
    Text value;
};

// The text without a lead byte that ends it alone: written back with a ";" after it, that byte
// would take the ";" as its second byte and join its item to the next one.
std::string_view WithoutDanglingLead(std::string_view text) {
    std::size_t last = 0;
    for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at)) last = at;
    const bool dangling = last + 1 == text.size() && static_cast<unsigned char>(text[last]) >= 0x80;
    return dangling ? text.substr(0, last) : text;
}

// Items between ";" separators; a ";" at the very end closes the last item rather than
// starting an empty one.
std::vector<Cookie> SplitCookies(std::string_view whole) {
    const std::string_view text = WithoutDanglingLead(whole);
    std::vector<Cookie> cookies;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = FindText(text, ";", at, false);
        if (end == kNotFound) end = text.size();
        const Text item(text.substr(at, end - at));
        cookies.push_back({CookieName(item), CookieValue(item)});
        at = end + 1;
    }
    return cookies;
}

void Fold(std::vector<Cookie>& cookies, const Cookie& update) {
    for (Cookie& cookie : cookies) {
        if (cookie.name == update.name) {
            cookie.value = update.value;
            return;
        }
    }
    cookies.push_back(update);
}

// A CR or LF would break the Cookie request header the text is sent in, or add lines of a
// server's choosing to it.
bool HasLineBreakByte(const Text& text) {
    return text.find_first_of("\r\n") != Text::npos;
}

bool IsKept(const Cookie& cookie) {
    return !cookie.name.empty() && !cookie.value.empty() && cookie.value != "deleted" &&
           !HasLineBreakByte(cookie.name) && !HasLineBreakByte(cookie.value);
}

}  // namespace

Text MergeCookies(Text& cookies, Text& newCookies) {
    cookies = RemoveSpaces(cookies);
    newCookies = RemoveSpaces(newCookies);
    if (newCookies.empty()) return cookies;
    std::vector<Cookie> merged = SplitCookies(cookies);
    for (const Cookie& update : SplitCookies(newCookies)) Fold(merged, update);
    cookies.clear();
    for (const Cookie& cookie : merged) {
        if (IsKept(cookie))
            cookies.append(cookie.name).append("=").append(cookie.value).append(";");
    }
    return cookies;
}

Text CookieName(const Text& item) {
    const std::size_t equals = FindText(item, "=", 0, false);
    return TrimSpaces(equals == kNotFound ? item : item.substr(0, equals));
}

Text CookieValue(const Text& item) {
    const std::size_t equals = FindText(item, "=", 0, false);
    return equals == kNotFound ? Text() : item.substr(equals + 1);
}

}  // namespace tunelark
