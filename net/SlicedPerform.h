#pragma once

#include <curl/curl.h>

#include <chrono>

namespace tunelark {

// Runs one easy handle to its end in short waits. Between them the window handles its events
// (the wait hook) and the calling thread's cancel scope is asked whether to go on, so that a
// stalled server holds neither the window nor the program's exit. Ends with the transfer's own
// code, with CURLE_OPERATION_TIMEDOUT when no byte moves for idleLimit, or with
// CURLE_ABORTED_BY_CALLBACK when the scope asks to stop (also before anything was sent).
[[nodiscard]] CURLcode PerformInSlices(CURL* easy, std::chrono::milliseconds idleLimit);

// An easy handle's counter, 0 when libcurl does not know it.
[[nodiscard]] curl_off_t CurlInfoNumber(CURL* easy, CURLINFO info);
[[nodiscard]] long CurlInfoLong(CURL* easy, CURLINFO info);

}  // namespace tunelark
