#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

#include "download/DownloadSettings.h"
#include "text/Text.h"

namespace tunelark {

struct CurlEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;

struct CurlListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

// A request header block (lines joined by CR LF) as libcurl's list, plus extra lines.
[[nodiscard]] CurlList HeaderList(const Text& block, const std::string& extraLine = {});

// A system-text address as libcurl takes it: bytes above 0x7F (GBK) are sent as the UTF-8
// percent-escapes a browser would send; spaces as %20.
[[nodiscard]] std::string CurlAddress(const Text& address);

// Options every transfer of the downloader uses: http and https only (never file: or others
// from a hostile address or redirect), no signals, the time-outs and the buffer size.
void ApplyCommonOptions(CURL* easy, const DownloadSettings& settings);

}  // namespace tunelark
