#pragma once

#include <cstdint>
#include <vector>

#include "catalog/SearchSession.h"
#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// The two catalogues; the values are the mode drop-down's indices.
enum class SearchMode : int32_t { Music = 0, Mv = 1 };

// Requests and parses one search on the calling thread (it blocks for the exchange).
[[nodiscard]] std::vector<FoundRow> FetchSearch(SearchMode mode, const Text& keyword,
                                                const ServiceConfig& services = Services());

// A whole search, meant for a worker thread: fetch, then append the rows through the ticket
// while it is still the newest search. Returns how many rows went in.
int32_t RunSearch(SearchMode mode, const Text& keyword, const SearchTicket& ticket,
                  const ServiceConfig& services = Services());

}  // namespace tunelark
