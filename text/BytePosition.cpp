#include "text/BytePosition.h"

#include <limits>

#include "text/GbkSearch.h"
#include "text/Utf16Units.h"

namespace tunelark {
namespace {

int32_t ToPosition(std::size_t offset) {
    if (offset == kNotFound || offset > std::numeric_limits<int32_t>::max()) return -1;
    return static_cast<int32_t>(offset);
}

}  // namespace

int32_t BytePosition(const Text& subject, std::u16string_view subjectUnits, std::size_t unitOffset,
                     const Text& found, bool ignoreCase) {
    const std::size_t before = UnitsToGbk(subjectUnits.substr(0, unitOffset)).size();
    if (FindText(subject, found, before, ignoreCase) == before) return ToPosition(before);
    return ToPosition(FindText(subject, found, unitOffset, ignoreCase));
}

}  // namespace tunelark
