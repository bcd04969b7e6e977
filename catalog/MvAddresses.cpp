#include "catalog/MvAddresses.h"

#include <array>

#include "catalog/AddressRequest.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

struct QualityField {
    const char* marker;
    const char* label;
};

constexpr std::array<QualityField, 4> kQualityFields{{
    {"hcVideoUrl\":\"", "432p"},
    {"hdVideoUrl\":\"", "540p"},
    {"heVideoUrl\":\"", "720p"},
    {"shVideoUrl\":\"", "1080p"},
}};

}  // namespace

std::vector<MvQuality> ParseMvAddressReply(const Text& reply) {
    std::vector<MvQuality> qualities;
    for (const QualityField& field : kQualityFields) {
        Text address = WebAddressOnly(TextBetween(reply, field.marker, "\""));
        if (!address.empty()) qualities.push_back({field.label, std::move(address)});
    }
    return qualities;
}

std::vector<MvQuality> ResolveMvAddresses(const Text& pageLink, const ServiceConfig& services) {
    const AddressRequest request = MvAddressRequest(pageLink, services.mvBase, UnixTimeMillis());
    return ParseMvAddressReply(FetchAddressReply(request));
}

}  // namespace tunelark
