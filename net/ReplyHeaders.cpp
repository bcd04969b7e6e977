#include "net/ReplyHeaders.h"

#include <algorithm>
#include <string_view>

#include "net/HeaderText.h"
#include "net/WaitHook.h"
#include "text/GbkSearch.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSetCookie = "Set-Cookie";
constexpr std::string_view kLocation = "Location: ";
constexpr std::size_t kProtocolFieldLength = 9;  // "HTTP/1.1 "

// The cookie item of one Set-Cookie line: up to its first ";", or the whole line.
Text CookieItem(const Text& line) {
    if (line.find(';') != Text::npos) return TextBetween(line, "Set-Cookie:", ";");
    return ReplaceText(line, "Set-Cookie:", "", 0, kReplaceAll, true);
}

void ReadLine(const Text& line, ReplyHeaderFacts& facts) {
    if (ContainsText(line, kSetCookie, false)) {
        facts.cookies += TrimSpaces(CookieItem(line)) + "; ";
    }
    const std::string_view start = std::string_view(line).substr(0, kLocation.size());
    if (EqualIgnoringCase(start, kLocation)) facts.location = line.substr(kLocation.size());
}

}  // namespace

Text StatusFromHeaders(const Text& rawHeaders) {
    if (rawHeaders.size() <= kProtocolFieldLength) return {};
    const std::size_t end = rawHeaders.find(kLineEnd, kProtocolFieldLength);
    return rawHeaders.substr(kProtocolFieldLength, end - std::min(end, kProtocolFieldLength));
}

ReplyHeaderFacts ReadReplyHeaders(const Text& rawHeaders) {
    ReplyHeaderFacts facts;
    facts.status = StatusFromHeaders(rawHeaders);
    facts.headers = ReplaceText(rawHeaders, kSetCookie, kSetCookie, 0, kReplaceAll, true);
    std::string_view rest = facts.headers;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(kLineEnd), rest.size());
        ReadLine(Text(rest.substr(0, end)), facts);
        rest.remove_prefix(std::min(end + kLineEnd.size(), rest.size()));
        RunWaitHook();
    }
    // Drop the "; " after the last item.
    if (facts.cookies.size() >= 2) facts.cookies.resize(facts.cookies.size() - 2);
    return facts;
}

}  // namespace tunelark
