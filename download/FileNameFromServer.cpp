#include "download/FileNameFromServer.h"

#include <time.h>

#include <cstdint>
#include <string>

#include "download/FileNames.h"
#include "download/HeaderProbe.h"

namespace tunelark {
namespace {

// "我的下载" followed by the milliseconds since boot, as the name probe's agent.
std::string NameProbeAgent() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto millis = static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1'000'000);
    return "\xce\xd2\xb5\xc4\xcf\xc2\xd4\xd8" + std::to_string(millis);
}

}  // namespace

Text FileNameFromServer(const Text& address, const DownloadSettings& settings) {
    const HeaderProbeReply reply = ProbeHeaders({address, {}, NameProbeAgent(), false}, settings);
    const auto& location = reply.headers.ContentLocation();
    if (reply.reached && location && !location->empty()) return FileNameFromAddress(*location);
    return FileNameFromAddress(address);
}

void ResolveTargetPath(const Text& address, Text& targetPath, const DownloadSettings& settings) {
    if (HasExtension(targetPath)) return;
    // An empty target stays relative rather than becoming the root folder.
    if (!targetPath.empty() && !EndsWithSeparator(targetPath)) targetPath += '\\';
    targetPath += SafeFileName(FileNameFromServer(address, settings));
}

}  // namespace tunelark
