#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "player/MediaEvents.h"

namespace tunelark {

// The callbacks registered for one hosted control, one entry per event of its interface.
class EventTable final {
public:
    // Replaces the table by one empty entry per identifier, in the given order.
    void Fill(std::span<const std::int32_t> dispIds);
    void Clear() { entries_.clear(); }

    // Registers on the first entry with the identifier; false (and no change) when none has it.
    [[nodiscard]] bool Advise(std::int32_t dispId, EventCallback callback, std::intptr_t userValue);
    // Calls the entry's callback, if one is registered; other events are ignored.
    void Fire(std::int32_t dispId, const EventArgs& args) const;

private:
    struct Entry {
        std::int32_t dispId = 0;
        EventCallback callback;
        std::intptr_t userValue = 0;
    };
    std::vector<Entry> entries_;
};

}  // namespace tunelark
