#pragma once

#include <cstdint>
#include <string>

namespace tunelark {

// The language identifier (as the audio language event reports it) of an ISO 639 code from
// the media's track tags; 0 when unknown.
[[nodiscard]] std::int32_t LanguageId(const std::string& isoCode);

}  // namespace tunelark
