#include "catalog/MvCommands.h"

#include "catalog/Columns.h"

namespace tunelark {
namespace {

constexpr const char* kResolved = "\xBD\xE2\xCE\xF6\xCD\xEA\xB3\xC9";  // 解析完成

}  // namespace

void AppendQualities(RowList& qualities, const std::vector<MvQuality>& found) {
    for (const MvQuality& quality : found) {
        const int32_t row = qualities.Append(quality.label);
        qualities.SetCell(row, MvQualityColumn::kAddress, quality.address);
    }
}

std::vector<MvQuality> ResolveMvRow(RowList& results, const TakenRow& row, RowList& qualities,
                                    const ServiceConfig& services) {
    std::vector<MvQuality> found = ResolveMvAddresses(row.Cell(SongColumn::kPageLink), services);
    AppendQualities(qualities, found);
    results.SetCellOfRow(row.id, SongColumn::kStatus, kResolved);
    return found;
}

}  // namespace tunelark
