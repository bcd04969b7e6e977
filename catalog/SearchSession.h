#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "catalog/FoundRow.h"
#include "platform/RowList.h"

namespace tunelark {

class SearchSession;

// One search's right to write into the result list. It loses that right as soon as a newer
// search begins, so rows of a superseded search never mix into the newer search's list.
class SearchTicket final {
public:
    SearchTicket(SearchSession& session, uint64_t id) : session_(&session), id_(id) {}

    // Appends the row when this search is still the newest; false once it is superseded.
    bool Append(const FoundRow& cells) const;
    [[nodiscard]] bool IsCurrent() const;

private:
    SearchSession* session_;
    uint64_t id_;
};

// The searches of one result list. Begin() empties the list and supersedes every earlier
// search; a search's rows go in only while its ticket is the newest. Emptying the list and
// appending a row exclude each other, so no row of an older search lands after the clear.
class SearchSession final {
public:
    explicit SearchSession(RowList& list) : list_(list) {}
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    [[nodiscard]] SearchTicket Begin();

private:
    friend class SearchTicket;
    bool AppendIfCurrent(uint64_t id, const FoundRow& cells);
    [[nodiscard]] bool IsCurrent(uint64_t id) const;

    RowList& list_;
    mutable std::mutex mutex_;
    uint64_t newest_ = 0;
};

// Appends rows in order through the ticket, stopping at the first refused one; returns how
// many went in.
int32_t AppendFoundRows(const SearchTicket& ticket, const std::vector<FoundRow>& rows);

}  // namespace tunelark
