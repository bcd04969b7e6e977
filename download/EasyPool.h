#pragma once

#include <mutex>
#include <vector>

#include "download/CurlHandle.h"

namespace tunelark {

// The easy handles of one job. A worker takes one for its part and gives it back, so the
// next part reuses the handle's open connection instead of connecting anew.
class EasyPool final {
public:
    EasyPool() = default;
    EasyPool(const EasyPool&) = delete;
    EasyPool& operator=(const EasyPool&) = delete;

    // A pooled handle, or a new one; empty when libcurl cannot make one.
    [[nodiscard]] CurlEasy Take();
    void Give(CurlEasy easy);
    // Closes the pooled handles and their connections.
    void Clear();

private:
    std::mutex mutex_;
    std::vector<CurlEasy> idle_;
};

}  // namespace tunelark
