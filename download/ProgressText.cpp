#include "download/ProgressText.h"

#include <string>

#include "download/ProgressCallback.h"

namespace tunelark {

int64_t ProgressPercent(int32_t status, int64_t totalBytes, int64_t bytesDone) {
    if (totalBytes == 0) return status == kReportDone ? 100 : 0;
    const double share = static_cast<double>(bytesDone) / static_cast<double>(totalBytes);
    return static_cast<int64_t>(share * 100.0);
}

Text DownloadingText(int64_t percent) {
    return "\xcf\xc2\xd4\xd8\xd6\xd0" /* 下载中 */ + std::to_string(percent) + "%";
}

const Text& DownloadDoneText() {
    static const Text text = "\xcf\xc2\xd4\xd8\xcd\xea\xb3\xc9";  // 下载完成
    return text;
}

const Text& DownloadFailedText() {
    // 下载失败，请重试！
    static const Text text =
        "\xcf\xc2\xd4\xd8\xca\xa7\xb0\xdc\xa3\xac\xc7\xeb\xd6\xd8\xca\xd4\xa3\xa1";
    return text;
}

}  // namespace tunelark
