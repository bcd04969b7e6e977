#include "platform/HttpGet.h"

#include <curl/curl.h>

#include <memory>

namespace tunelark {
namespace {

struct Transfer {
    std::string body;
    std::size_t limit = 0;
    bool overflow = false;
    const KeepGoing* keepGoing = nullptr;
};

size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->limit) {
        transfer->overflow = true;
        return 0;  // aborts the transfer
    }
    transfer->body.append(data, bytes);
    return bytes;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<Transfer*>(user);
    return (*transfer->keepGoing && !(*transfer->keepGoing)()) ? 1 : 0;
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

void SetOptions(CURL* curl, const std::string& address, const HttpGetLimits& limits,
                Transfer& transfer, curl_slist* headers) {
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.timeout.count()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &Progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

}  // namespace

HttpReply HttpGet(const std::string& address, const HttpGetLimits& limits,
                  const KeepGoing& keepGoing) {
    HttpReply reply;
    EasyHandle curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return reply;
    // A forced reload: no cached copy may answer for the server.
    HeaderList headers(curl_slist_append(nullptr, "Cache-Control: no-cache"), &curl_slist_free_all);
    if (headers) curl_slist_append(headers.get(), "Pragma: no-cache");

    Transfer transfer;
    transfer.limit = limits.maxBodyBytes;
    transfer.keepGoing = &keepGoing;
    SetOptions(curl.get(), address, limits, transfer, headers.get());
    const CURLcode result = curl_easy_perform(curl.get());
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &reply.status);
    reply.complete = result == CURLE_OK && !transfer.overflow;
    reply.body = std::move(transfer.body);
    return reply;
}

}  // namespace tunelark
