#pragma once

#include "download/RowProgress.h"

namespace tunelark {

// Song downloads report into the "状态" column (index 5) of the result list "超级列表框1".
using SongProgress = StatusColumnProgress<5>;

}  // namespace tunelark
