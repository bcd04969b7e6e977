#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/Text.h"

namespace tunelark {

// The request header block: the caller's lines (followed by CR LF when there are any), then
// each default line whose test finds nothing of its kind in the caller's text. The Cookie line
// is added only for a non-empty cookies text.
[[nodiscard]] Text BuildHeaderBlock(const Text& extraHeaders, const Text* cookies);

// One request header as it is finally sent.
struct HeaderLine {
    std::string name;
    std::string value;  // without the blanks after the colon
};

// Applies the block's CR LF separated lines in order: a line replaces an earlier header of the
// same name (ignoring case) in its place, or is added at the end. Empty lines are skipped.
// nullopt when a line is not a header line ("Name: value", with a name of visible ASCII
// characters and no stray CR or LF).
[[nodiscard]] std::optional<std::vector<HeaderLine>> ApplyHeaderBlock(const Text& block);

}  // namespace tunelark
