#include "download/HeaderProbe.h"

#include "net/SlicedPerform.h"

namespace tunelark {
namespace {

// Refusing the first body byte ends the transfer right after the header block.
size_t RefuseBody(char*, size_t, size_t, void*) {
    return 0;
}

}  // namespace

HeaderProbeReply ProbeHeaders(const HeaderProbeRequest& request, const DownloadSettings& settings) {
    HeaderProbeReply reply;
    CurlEasy easy(curl_easy_init());
    if (!easy) {
        reply.error = "cannot create a transfer";
        return reply;
    }
    const std::string address = CurlAddress(request.address);
    CurlList headers = HeaderList(request.headerBlock);
    ApplyCommonOptions(easy.get(), settings);
    curl_easy_setopt(easy.get(), CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, headers.get());
    if (!request.userAgent.empty()) {
        curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, request.userAgent.c_str());
    }
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, static_cast<long>(settings.probeTimeout.count()));
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &RefuseBody);
    reply.headers.Attach(easy.get());

    // The whole-exchange limit above ends the probe; the idle limit never comes first.
    const CURLcode code = PerformInSlices(easy.get(), settings.probeTimeout);
    if (code == CURLE_ABORTED_BY_CALLBACK) {
        reply.cancelled = true;
        reply.error = kCancelledReason;
        return reply;
    }
    if (code != CURLE_OK && code != CURLE_WRITE_ERROR) {
        reply.error = curl_easy_strerror(code);
        return reply;
    }
    reply.reached = reply.headers.Status() != 0;
    if (!reply.reached) reply.error = "no reply";
    char* final = nullptr;
    if (curl_easy_getinfo(easy.get(), CURLINFO_EFFECTIVE_URL, &final) == CURLE_OK && final) {
        reply.finalAddress = final;
    }
    return reply;
}

}  // namespace tunelark
