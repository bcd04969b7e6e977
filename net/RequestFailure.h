#pragma once

#include "text/Text.h"

namespace tunelark {

// The numbered failures of a web request, each named after the step that failed. There is no
// 706.
enum class RequestFailure {
    kNoHttpStack = 700,
    kBadAddress = 701,
    kSession = 702,
    kConnection = 703,
    kRequest = 704,
    kTimeouts = 705,
    kCredentials = 707,
    kCookieOption = 708,
    kRedirectOption = 709,
    kHeaders = 710,
    kSend = 711,
    kNoReply = 712,
    kRead = 713,
};

// The number and its message as GBK text, e.g. "711 发送请求失败!".
[[nodiscard]] Text FailureText(RequestFailure failure);

}  // namespace tunelark
