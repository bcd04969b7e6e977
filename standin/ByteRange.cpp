#include "standin/ByteRange.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace tunelark::standin {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<int64_t> Number(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

RangeAnswer Whole(int64_t size) {
    return {RangeAnswer::Kind::kWhole, 0, size - 1};
}

RangeAnswer Unsatisfiable() {
    return {RangeAnswer::Kind::kUnsatisfiable, 0, -1};
}

}  // namespace

RangeAnswer ResolveRange(std::string_view header, int64_t size) {
    header = Trim(header);
    constexpr std::string_view kUnit = "bytes=";
    if (!header.starts_with(kUnit)) return Whole(size);
    const std::string_view spec = Trim(header.substr(kUnit.size()));
    const std::size_t dash = spec.find('-');
    if (dash == std::string_view::npos || spec.find(',') != std::string_view::npos) {
        return Whole(size);
    }
    const std::string_view from = Trim(spec.substr(0, dash));
    const std::string_view to = Trim(spec.substr(dash + 1));
    if (from.empty()) {  // the last N bytes
        const auto count = Number(to);
        if (!count) return Whole(size);
        if (*count == 0 || size == 0) return Unsatisfiable();
        return {RangeAnswer::Kind::kPart, size - std::min(*count, size), size - 1};
    }
    const auto first = Number(from);
    const auto last = to.empty() ? std::optional<int64_t>(size - 1) : Number(to);
    if (!first || !last) return Whole(size);
    if (*first >= size) return Unsatisfiable();
    if (*last < *first) return Whole(size);
    return {RangeAnswer::Kind::kPart, *first, std::min(*last, size - 1)};
}

}  // namespace tunelark::standin
