#include "player/EventTable.h"

#include <algorithm>

namespace tunelark {

void EventTable::Fill(std::span<const std::int32_t> dispIds) {
    entries_.clear();
    for (const std::int32_t id : dispIds) entries_.push_back(Entry{id, {}, 0});
}

bool EventTable::Advise(std::int32_t dispId, EventCallback callback, std::intptr_t userValue) {
    const auto entry = std::ranges::find(entries_, dispId, &Entry::dispId);
    if (entry == entries_.end()) return false;
    entry->callback = std::move(callback);
    entry->userValue = userValue;
    return true;
}

void EventTable::Fire(std::int32_t dispId, const EventArgs& args) const {
    const auto entry = std::ranges::find(entries_, dispId, &Entry::dispId);
    if (entry == entries_.end() || !entry->callback) return;
    // A copy, so that a callback may re-register (or the host go away) while it runs.
    const EventCallback callback = entry->callback;
    const std::intptr_t userValue = entry->userValue;
    callback(userValue, args);
}

}  // namespace tunelark
