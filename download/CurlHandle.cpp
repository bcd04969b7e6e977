#include "download/CurlHandle.h"

#include <cstdio>

#include "text/CodePage.h"

namespace tunelark {

CurlList HeaderList(const Text& block, const std::string& extraLine) {
    curl_slist* list = nullptr;
    auto add = [&list](const std::string& line) {
        if (line.empty()) return;
        if (curl_slist* grown = curl_slist_append(list, line.c_str())) list = grown;
    };
    size_t start = 0;
    while (start <= block.size()) {
        size_t end = block.find("\r\n", start);
        if (end == Text::npos) end = block.size();
        add(block.substr(start, end - start));
        start = end + 2;
    }
    add(extraLine);
    return CurlList(list);
}

std::string CurlAddress(const Text& address) {
    const std::string utf8 = GbkToUtf8(address);
    std::string out;
    out.reserve(utf8.size());
    for (unsigned char c : utf8) {
        if (c > 0x7F || c <= 0x20) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void ApplyCommonOptions(CURL* easy, const DownloadSettings& settings) {
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT,
                     static_cast<long>(settings.connectTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(settings.stallTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, static_cast<long>(settings.readBufferBytes));
}

}  // namespace tunelark
