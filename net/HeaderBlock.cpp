#include "net/HeaderBlock.h"

#include <algorithm>
#include <string_view>

#include "net/HeaderText.h"

namespace tunelark {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

struct DefaultLine {
    std::string_view test;  // looked for anywhere in the caller's text
    bool ignoreCase;
    std::string_view line;
};

// The Content-Type test is the one without a blank after the colon, and the one that minds case.
constexpr DefaultLine kDefaultLines[] = {
    {"User-Agent: ", true,
     "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)"},
    {"Accept: ", true, "Accept: text/html, application/xhtml+xml, */*"},
    {"Accept-Encoding: ", true, "Accept-Encoding: gbk, GB2312"},
    {"Accept-Language: ", true, "Accept-Language: zh-cn"},
    {"Content-Type:", false, "Content-Type: application/x-www-form-urlencoded"},
    {"Cache-Control: ", true, "Cache-Control: no-cache"},
};

bool IsNameCharacter(char c) {
    return c > ' ' && c < 0x7F && c != ':';
}

std::optional<HeaderLine> ParseLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    const std::string_view name = line.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(), IsNameCharacter)) return std::nullopt;
    std::string_view value = line.substr(colon + 1);
    if (value.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
    value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
    return HeaderLine{std::string(name), std::string(value)};
}

void ReplaceOrAdd(std::vector<HeaderLine>& headers, HeaderLine header) {
    const auto same = std::find_if(headers.begin(), headers.end(), [&](const HeaderLine& known) {
        return EqualIgnoringCase(known.name, header.name);
    });
    if (same == headers.end()) {
        headers.push_back(std::move(header));
    } else {
        *same = std::move(header);
    }
}

}  // namespace

Text BuildHeaderBlock(const Text& extraHeaders, const Text* cookies) {
    Text block = extraHeaders;
    if (!block.empty()) block += kLineEnd;
    for (const DefaultLine& entry : kDefaultLines) {
        if (!ContainsText(extraHeaders, entry.test, entry.ignoreCase)) {
            block.append(entry.line).append(kLineEnd);
        }
    }
    if (cookies && !cookies->empty() && !ContainsText(extraHeaders, "Cookie: ", true)) {
        block.append("Cookie: ").append(*cookies).append(kLineEnd);
    }
    return block;
}

std::optional<std::vector<HeaderLine>> ApplyHeaderBlock(const Text& block) {
    std::vector<HeaderLine> headers;
    std::string_view rest = block;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(kLineEnd), rest.size());
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + kLineEnd.size(), rest.size()));
        if (line.empty()) continue;
        auto header = ParseLine(line);
        if (!header) return std::nullopt;
        ReplaceOrAdd(headers, std::move(*header));
    }
    return headers;
}

}  // namespace tunelark
