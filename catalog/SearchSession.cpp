#include "catalog/SearchSession.h"

namespace tunelark {

bool SearchTicket::Append(const FoundRow& cells) const {
    return session_->AppendIfCurrent(id_, cells);
}

bool SearchTicket::IsCurrent() const {
    return session_->IsCurrent(id_);
}

SearchTicket SearchSession::Begin() {
    std::lock_guard lock(mutex_);
    ++newest_;
    list_.Clear();
    return SearchTicket(*this, newest_);
}

bool SearchSession::AppendIfCurrent(uint64_t id, const FoundRow& cells) {
    std::lock_guard lock(mutex_);
    if (id != newest_) return false;
    const int32_t row = list_.Append(cells.empty() ? Text() : cells.front());
    for (size_t column = 1; column < cells.size(); ++column) {
        list_.SetCell(row, static_cast<int32_t>(column), cells[column]);
    }
    return true;
}

bool SearchSession::IsCurrent(uint64_t id) const {
    std::lock_guard lock(mutex_);
    return id == newest_;
}

int32_t AppendFoundRows(const SearchTicket& ticket, const std::vector<FoundRow>& rows) {
    int32_t appended = 0;
    for (const FoundRow& row : rows) {
        if (!ticket.Append(row)) break;
        ++appended;
    }
    return appended;
}

}  // namespace tunelark
