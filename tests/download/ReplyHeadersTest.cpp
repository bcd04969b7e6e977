#include <gtest/gtest.h>

#include "download/ReplyHeaders.h"

namespace tunelark {
namespace {

TEST(ParseContentRange, ReadsSixtyFourBitRangesAndRejectsTheRest) {
    const struct {
        const char* value;
        bool valid;
        int64_t first;
        int64_t last;
        int64_t total;
    } cases[] = {
        {"bytes 0-1048575/3000000", true, 0, 1'048'575, 3'000'000},
        {"bytes 2147483648-3221225471/4294967296", true, 2'147'483'648LL, 3'221'225'471LL,
         4'294'967'296LL},
        {"Bytes 5-5/*", true, 5, 5, -1},
        {"  bytes 1048576-1048576/1048577 ", true, 1'048'576, 1'048'576, 1'048'577},
        {"bytes 10-5/100", false, 0, 0, 0},
        {"bytes -5/100", false, 0, 0, 0},
        {"bytes 1-2", false, 0, 0, 0},
        {"items 1-2/3", false, 0, 0, 0},
        {"bytes 1-2/x", false, 0, 0, 0},
        {"bytes 99999999999999999999-1/2", false, 0, 0, 0},
        {"", false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto range = ParseContentRange(c.value);
        ASSERT_EQ(range.has_value(), c.valid) << c.value;
        if (!range) continue;
        EXPECT_EQ(range->first, c.first) << c.value;
        EXPECT_EQ(range->last, c.last) << c.value;
        EXPECT_EQ(range->total, c.total) << c.value;
    }
}

}  // namespace
}  // namespace tunelark
