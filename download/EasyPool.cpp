#include "download/EasyPool.h"

namespace tunelark {

CurlEasy EasyPool::Take() {
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            CurlEasy easy = std::move(idle_.back());
            idle_.pop_back();
            return easy;
        }
    }
    return CurlEasy(curl_easy_init());
}

void EasyPool::Give(CurlEasy easy) {
    if (!easy) return;
    std::lock_guard lock(mutex_);
    idle_.push_back(std::move(easy));
}

void EasyPool::Clear() {
    std::vector<CurlEasy> closing;
    {
        std::lock_guard lock(mutex_);
        closing.swap(idle_);
    }
}

}  // namespace tunelark
