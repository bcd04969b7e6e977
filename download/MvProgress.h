#pragma once

#include "download/RowProgress.h"

namespace tunelark {

// MV downloads report into the "状态" column of the quality list "超级列表框2".
class MvProgress final : public RowProgress {
public:
    static constexpr int32_t kStatusColumn = 2;
    explicit MvProgress(RowList& qualityList) : RowProgress(qualityList, kStatusColumn) {}
};

}  // namespace tunelark
