#pragma once

#include "download/RowProgress.h"

namespace tunelark {

// MV downloads report into the "状态" column (index 2) of the quality list "超级列表框2".
using MvProgress = StatusColumnProgress<2>;

}  // namespace tunelark
