#pragma once

#include <cstdint>
#include <vector>

#include "player/MediaEvents.h"

namespace tunelark::test {

// Remembers every call of the callbacks it hands out, in order.
struct EventLog {
    struct Call {
        std::int32_t tag;  // which registration (the test's choice)
        std::intptr_t userValue;
        EventArgs args;
    };

    [[nodiscard]] EventCallback Recorder(std::int32_t tag) {
        return [this, tag](std::intptr_t userValue, const EventArgs& args) {
            calls.push_back({tag, userValue, args});
        };
    }
    [[nodiscard]] std::vector<Call> Of(std::int32_t tag) const {
        std::vector<Call> found;
        for (const auto& call : calls) {
            if (call.tag == tag) found.push_back(call);
        }
        return found;
    }
    [[nodiscard]] std::vector<std::int32_t> Integers(std::int32_t tag) const {
        std::vector<std::int32_t> values;
        for (const auto& call : Of(tag)) values.push_back(std::get<std::int32_t>(call.args.at(0)));
        return values;
    }

    std::vector<Call> calls;
};

}  // namespace tunelark::test
