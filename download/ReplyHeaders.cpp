#include "download/ReplyHeaders.h"

#include <charconv>

namespace tunelark {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) return {};
    const size_t end = text.find_last_not_of(" \t\r\n");
    return text.substr(begin, end - begin + 1);
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// A whole non-negative decimal number, nothing else.
std::optional<int64_t> Number(const std::string& text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty() || value < 0) return std::nullopt;
    return value;
}

}  // namespace

std::optional<ContentRange> ParseContentRange(const std::string& value) {
    const std::string text = Trimmed(value);
    if (Lowered(text.substr(0, 6)) != "bytes ") return std::nullopt;
    const size_t dash = text.find('-', 6);
    const size_t slash = text.find('/', 6);
    if (dash == std::string::npos || slash == std::string::npos || slash < dash) {
        return std::nullopt;
    }
    auto first = Number(Trimmed(text.substr(6, dash - 6)));
    auto last = Number(text.substr(dash + 1, slash - dash - 1));
    const std::string totalText = text.substr(slash + 1);
    auto total = totalText == "*" ? std::optional<int64_t>(-1) : Number(totalText);
    if (!first || !last || !total || *last < *first) return std::nullopt;
    return ContentRange{*first, *last, *total};
}

void ReplyHeaders::Attach(CURL* easy) {
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &ReplyHeaders::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
}

size_t ReplyHeaders::OnHeader(char* data, size_t size, size_t count, void* self) {
    static_cast<ReplyHeaders*>(self)->Take(std::string(data, size * count));
    return size * count;
}

void ReplyHeaders::Take(const std::string& line) {
    if (line.rfind("HTTP/", 0) == 0) {
        *this = ReplyHeaders();
        const size_t space = line.find(' ');
        if (space != std::string::npos) {
            status_ = static_cast<int32_t>(Number(line.substr(space + 1, 3)).value_or(0));
        }
        return;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos) return;
    const std::string name = Lowered(Trimmed(line.substr(0, colon)));
    const std::string value = Trimmed(line.substr(colon + 1));
    if (name == "content-length") {
        contentLength_ = Number(value).value_or(-1);
    } else if (name == "content-range") {
        contentRange_ = value;
    } else if (name == "content-encoding") {
        const std::string coding = Lowered(value);
        contentEncoding_ = coding == "identity" ? std::string() : coding;
    } else if (name == "content-location") {
        contentLocation_ = value;
    }
}

}  // namespace tunelark
