#include "player/BorderStyle.h"

namespace tunelark {

BorderEdges BorderEdgesOf(std::int32_t borderStyle) {
    switch (borderStyle) {
        case 1:
            return {.clientEdge = true};
        case 2:
            return {.dialogFrame = true};
        case 3:
            return {.staticEdge = true};
        case 4:
            return {.dialogFrame = true, .clientEdge = true};
        case 5:
            return {.singleLine = true};
        default:
            return {};
    }
}

int BorderWidth(const BorderEdges& edges) {
    return (edges.dialogFrame ? 3 : 0) + (edges.clientEdge ? 2 : 0) + (edges.staticEdge ? 1 : 0) +
           (edges.singleLine ? 1 : 0);
}

}  // namespace tunelark
