#pragma once

#include <string>
#include <vector>

#include "catalog/SearchSession.h"
#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// The patterns an MV search page is read with: the abstract block (captures: title, singer) and
// the MV's link (capture 1), each in the page's exact layout.
[[nodiscard]] const Text& MvAbstractPattern();
[[nodiscard]] const Text& MvLinkPattern();

// The MV site's search page address for a keyword (as a query value, KeywordQueryValue).
[[nodiscard]] Text MvSearchAddress(const Text& keyword, const std::string& mvBase);

// The rows an MV search page yields: number, singer, title (em tags removed) and the MV's page
// link. One row per abstract block; links pair with them by position. The page's exact line
// breaks and tab indentation are part of the patterns, so a page laid out otherwise gives none.
[[nodiscard]] std::vector<FoundRow> ParseMvSearchPage(const Text& page, const std::string& mvBase);

// Requests and parses; blocks for the whole exchange. No rows when anything fails.
[[nodiscard]] std::vector<FoundRow> FetchMvSearch(const Text& keyword,
                                                  const ServiceConfig& services);

}  // namespace tunelark
