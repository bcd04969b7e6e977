#include "download/DownloadHeaders.h"

namespace tunelark {

const Text& DownloadHeaders() {
    static const Text headers =
        "Accept: */*\r\n"
        "Accept-Language: zh-cn\r\n"
        "Accept-Encoding: gzip, deflate\r\n"
        "User-Agent: Mozilla/4.0(compatible; MSIE 6.0; Windows NT 5.0; MyIE2; .NET CLR 1.1.4322)";
    return headers;
}

std::string RangeLine(int64_t first, int64_t last) {
    return "Range:bytes=" + std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace tunelark
