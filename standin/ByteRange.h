#pragma once

#include <cstdint>
#include <string_view>

namespace tunelark::standin {

// What a Range request header asks of a file of a given size.
struct RangeAnswer {
    enum class Kind { kWhole, kPart, kUnsatisfiable };
    Kind kind = Kind::kWhole;
    int64_t first = 0;  // inclusive; the part, or the whole file
    int64_t last = -1;
};

// One range "bytes=A-B", "bytes=A-" or "bytes=-N", clipped to the file; a header that is
// missing, malformed or asks for several ranges means the whole file; a start past the end
// cannot be met (416).
[[nodiscard]] RangeAnswer ResolveRange(std::string_view header, int64_t size);

}  // namespace tunelark::standin
