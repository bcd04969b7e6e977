#pragma once

#include <vector>

#include "catalog/MvAddresses.h"
#include "catalog/TakenRow.h"
#include "platform/RowList.h"
#include "platform/ServiceConfig.h"

namespace tunelark {

// Appends one quality row (label, address) per quality, after the rows already there.
void AppendQualities(RowList& qualities, const std::vector<MvQuality>& found);

// "解析下载地址" on a taken result row: resolves the MV of its page link, appends what was
// found to the quality list and writes "解析完成" into the row's status cell whatever was found.
std::vector<MvQuality> ResolveMvRow(RowList& results, const TakenRow& row, RowList& qualities,
                                    const ServiceConfig& services = Services());

}  // namespace tunelark
