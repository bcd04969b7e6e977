#pragma once

#include <functional>

#include "catalog/TakenRow.h"
#include "platform/RowList.h"
#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// The row's media address: its address cell when filled, else resolved from its page link and
// stored in the address cell (also when empty, so a failed attempt is retried next time).
[[nodiscard]] Text SongAddressOfRow(RowList& results, const TakenRow& row,
                                    const ServiceConfig& services = Services());

// "在线试听" on a taken result row: resolves the address, writes the outcome into the status
// cell and, on success, hands the address to play. True when something was played.
bool ListenOnline(RowList& results, const TakenRow& row,
                  const std::function<void(const Text&)>& play,
                  const ServiceConfig& services = Services());

}  // namespace tunelark
