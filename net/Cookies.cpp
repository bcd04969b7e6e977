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

// Items between ";" separators; a ";" at the very end closes the last item rather than
// starting an empty one.
std::vector<Cookie> SplitCookies(std::string_view text) {
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

bool IsKept(const Cookie& cookie) {
    return !cookie.name.empty() && !cookie.value.empty() && cookie.value != "deleted";
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
