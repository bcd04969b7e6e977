#include "standin/FaultSwitches.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace tunelark::standin {
namespace {

constexpr int64_t kLongestStallMs = 10 * 60 * 1000;

std::optional<int64_t> Number(std::string_view text, int64_t lowest, int64_t highest) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

bool IsOn(std::string_view text) {
    return text == "1" || text == "true" || text == "yes";
}

void Read(FaultSwitches& faults, std::string_view name, const std::string& value) {
    constexpr int64_t kMax = INT64_MAX / 2;
    if (name == "stall") faults.stallMs = Number(value, 0, kLongestStallMs);
    if (name == "status") {
        if (auto status = Number(value, 100, 599)) faults.status = static_cast<int>(*status);
    }
    if (name == "redirect") {
        if (value == "loop") {
            faults.redirects = -1;
        } else if (auto count = Number(value, 0, 1000)) {
            faults.redirects = static_cast<int>(*count);
        }
    }
    if (name == "setcookie" && !value.empty()) faults.cookies.push_back(value);
    if (name == "charset" && !value.empty()) faults.charset = value;
    if (name == "drop") faults.dropAfter = Number(value, 0, kMax);
    if (name == "overlength") faults.overLength = Number(value, 1, kMax);
    if (name == "norange") faults.ignoreRange = IsOn(value);
    if (name == "nolength") faults.noLength = IsOn(value);
    if (name == "rate") faults.rate = Number(value, 1, kMax);
}

template <typename T>
void Take(std::optional<T>& field, const std::optional<T>& over) {
    if (over) field = over;
}

}  // namespace

FaultSwitches FaultSwitches::Over(const FaultSwitches& base) const {
    FaultSwitches merged = base;
    Take(merged.stallMs, stallMs);
    Take(merged.status, status);
    Take(merged.redirects, redirects);
    if (!cookies.empty()) merged.cookies = cookies;
    Take(merged.charset, charset);
    Take(merged.dropAfter, dropAfter);
    Take(merged.overLength, overLength);
    merged.ignoreRange = merged.ignoreRange || ignoreRange;
    merged.noLength = merged.noLength || noLength;
    Take(merged.rate, rate);
    return merged;
}

FaultSwitches ParseFaultSwitches(
    const std::vector<std::pair<std::string, std::string>>& parameters) {
    FaultSwitches faults;
    for (const auto& [name, value] : parameters) Read(faults, name, value);
    return faults;
}

std::string WithOneRedirectLess(const std::string& target) {
    const std::size_t query = target.find('?');
    if (query == std::string::npos) return target;
    std::string result = target.substr(0, query);
    std::string_view rest = std::string_view(target).substr(query + 1);
    char separator = '?';
    for (;;) {
        const std::size_t end = std::min(rest.find('&'), rest.size());
        std::string part(rest.substr(0, end));
        if (part.starts_with("redirect=") && part != "redirect=loop") {
            const auto count = Number(std::string_view(part).substr(9), 1, 1000);
            part = "redirect=" + std::to_string(count ? *count - 1 : 0);
        }
        result += separator + part;
        separator = '&';
        if (end == rest.size()) return result;
        rest.remove_prefix(end + 1);
    }
}

}  // namespace tunelark::standin
