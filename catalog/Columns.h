#pragma once

#include <cstdint>

namespace tunelark {

// Columns of a result-list row ("超级列表框1"), in the list's order.
namespace SongColumn {
inline constexpr int32_t kNumber = 0;
inline constexpr int32_t kArtist = 1;
inline constexpr int32_t kTitle = 2;
inline constexpr int32_t kPageLink = 3;  // hidden: where the address is resolved from
inline constexpr int32_t kAddress = 4;   // hidden: the resolved media address, once known
inline constexpr int32_t kStatus = 5;
inline constexpr int32_t kCount = 6;
}  // namespace SongColumn

// Columns of a quality-list row ("超级列表框2").
namespace MvQualityColumn {
inline constexpr int32_t kLabel = 0;
inline constexpr int32_t kAddress = 1;
inline constexpr int32_t kStatus = 2;
inline constexpr int32_t kCount = 3;
}  // namespace MvQualityColumn

}  // namespace tunelark
