#pragma once

#include "download/RowProgress.h"

namespace tunelark {

// Song downloads report into the "状态" column of the result list "超级列表框1".
class SongProgress final : public RowProgress {
public:
    static constexpr int32_t kStatusColumn = 5;
    explicit SongProgress(RowList& resultList) : RowProgress(resultList, kStatusColumn) {}
};

}  // namespace tunelark
