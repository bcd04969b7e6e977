// A web request's reply processing fed from bytes, in the order the request runs it: the header
// block (status, Set-Cookie and Location lines), the cookies merged into the kept ones, and the
// body turned into page text by its declared charset.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "net/CharsetDecoding.h"
#include "net/Cookies.h"
#include "net/ReplyHeaders.h"

namespace tunelark {
namespace {

constexpr std::size_t kMaxHeaders = 4096;
constexpr std::size_t kMaxCookies = 256;

bool HasLineBreak(const Text& text) {
    return text.find("\r\n") != Text::npos;
}

bool EqualIgnoringAsciiCase(const Text& a, const Text& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

void CheckHeaders(const Text& raw, Text& keptCookies) {
    const ReplyHeaderFacts facts = ReadReplyHeaders(raw);
    Require(facts.status == StatusFromHeaders(raw), "the status is the status line's");
    Require(!HasLineBreak(facts.status), "the status is one line");
    Require(facts.status.empty() || raw.substr(9).starts_with(facts.status),
            "the status follows the protocol field");
    Require(EqualIgnoringAsciiCase(facts.headers, raw),
            "the header block differs from the raw one only in the case of letters");
    Require(!facts.location || !HasLineBreak(*facts.location), "the location is one line");
    Text replyCookies = facts.cookies;
    const Text merged = MergeCookies(keptCookies, replyCookies);
    Require(replyCookies.empty() || merged.find_first_of("\r\n") == Text::npos,
            "merged cookies hold no CR or LF for the Cookie header");
}

void CheckPageText(const std::string& body) {
    Require(PageText(body).find('\0') == Text::npos, "page text holds no zero byte");
}

}  // namespace
}  // namespace tunelark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tunelark;
    FuzzedDataProvider input(data, size);
    // The header block and the body are bytes from the network; the kept cookies a system text.
    const Text raw = input.ConsumeRandomLengthString(kMaxHeaders);
    Text keptCookies = ConsumeText(input, kMaxCookies);
    CheckHeaders(raw, keptCookies);
    CheckPageText(input.ConsumeRemainingBytesAsString());
    return 0;
}
