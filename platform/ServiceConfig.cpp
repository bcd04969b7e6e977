#include "platform/ServiceConfig.h"

#include <cstdlib>

namespace tunelark {
namespace {

std::string FromEnvironment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    std::string result = (value && *value) ? value : fallback;
    while (!result.empty() && result.back() == '/') result.pop_back();
    return result;
}

ServiceConfig ReadServices() {
    const std::string standIn = "http://127.0.0.1:" + std::to_string(kStandInPort);
    return ServiceConfig{
        .musicBase = FromEnvironment("TUNELARK_MUSIC_BASE", standIn),
        .mvBase = FromEnvironment("TUNELARK_MV_BASE", standIn),
        .updateBase = FromEnvironment("TUNELARK_UPDATE_BASE", standIn),
        .probeUrl = FromEnvironment("TUNELARK_PROBE_URL", standIn + "/probe"),
    };
}

}  // namespace

const ServiceConfig& Services() {
    static const ServiceConfig services = ReadServices();
    return services;
}

}  // namespace tunelark
