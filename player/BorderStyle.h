#pragma once

#include <cstdint>

namespace tunelark {

// The decorations a host window's border style asks for, drawn from the outside in.
struct BorderEdges {
    bool dialogFrame = false;  // raised, 3 pixels
    bool clientEdge = false;   // sunken, 2 pixels
    bool staticEdge = false;   // sunken, 1 pixel
    bool singleLine = false;   // plain line, 1 pixel
    friend bool operator==(const BorderEdges&, const BorderEdges&) = default;
};

// 1 sunken edge, 2 raised dialog frame, 3 thin static edge, 4 sunken edge and dialog frame,
// 5 single line; 0 and anything else: none.
[[nodiscard]] BorderEdges BorderEdgesOf(std::int32_t borderStyle);
// The frame's total width on each side, in pixels.
[[nodiscard]] int BorderWidth(const BorderEdges& edges);

}  // namespace tunelark
