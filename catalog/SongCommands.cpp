#include "catalog/SongCommands.h"

#include "catalog/Columns.h"
#include "catalog/SongAddress.h"

namespace tunelark {
namespace {

constexpr const char* kPlaying =
    "\xBD\xE2\xCE\xF6\xB3\xC9\xB9\xA6\xA3\xAC\xB2\xA5\xB7\xC5\xD6\xD0";  // 解析成功，播放中
constexpr const char* kResolveFailed =
    "\xBD\xE2\xCE\xF6\xCA\xA7\xB0\xDC\xA3\xAC\xC7\xEB\xD6\xD8\xCA\xD4\xA3\xA1";  // 解析失败，请重试！

}  // namespace

Text SongAddressOfRow(RowList& results, const TakenRow& row, const ServiceConfig& services) {
    const Text& cached = row.Cell(SongColumn::kAddress);
    if (!cached.empty()) return cached;
    Text address = ResolveSongAddress(row.Cell(SongColumn::kPageLink), services);
    results.SetCellOfRow(row.id, SongColumn::kAddress, address);
    return address;
}

bool ListenOnline(RowList& results, const TakenRow& row,
                  const std::function<void(const Text&)>& play, const ServiceConfig& services) {
    const Text address = SongAddressOfRow(results, row, services);
    if (address.empty()) {
        results.SetCellOfRow(row.id, SongColumn::kStatus, kResolveFailed);
        return false;
    }
    results.SetCellOfRow(row.id, SongColumn::kStatus, kPlaying);
    play(address);
    return true;
}

}  // namespace tunelark
