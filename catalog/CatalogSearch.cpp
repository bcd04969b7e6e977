#include "catalog/CatalogSearch.h"

#include "catalog/MusicSearch.h"
#include "catalog/MvSearch.h"

namespace tunelark {

std::vector<FoundRow> FetchSearch(SearchMode mode, const Text& keyword,
                                  const ServiceConfig& services) {
    return mode == SearchMode::Mv ? FetchMvSearch(keyword, services)
                                  : FetchMusicSearch(keyword, services);
}

int32_t RunSearch(SearchMode mode, const Text& keyword, const SearchTicket& ticket,
                  const ServiceConfig& services) {
    if (!ticket.IsCurrent()) return 0;
    return AppendFoundRows(ticket, FetchSearch(mode, keyword, services));
}

}  // namespace tunelark
