// MergeCookies over kept and new cookie texts taken from the input.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzSupport.h"
#include "net/Cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tunelark;
    FuzzedDataProvider input(data, size);
    Text cookies = ConsumeText(input, 1024);
    Text newCookies = input.ConsumeRemainingBytesAsString();

    const Text merged = MergeCookies(cookies, newCookies);
    Require(merged == cookies, "the merged text is also written to the kept cookies");
    Require(newCookies.empty() || merged.empty() || merged.ends_with(';'),
            "a merged text ends each item with \";\"");
    Require(newCookies.empty() || merged.find_first_of("\r\n") == Text::npos,
            "a merged text holds no CR or LF for the Cookie header");

    // A reply merged into the cookies it made itself changes nothing more: no item is lost,
    // doubled or grown. (Kept cookies from elsewhere may repeat a name; then a later merge
    // reaches the next one of that name.)
    Text fresh;
    Text reply = newCookies;
    const Text first = MergeCookies(fresh, reply);
    Require(MergeCookies(fresh, reply) == first, "merging the same cookies twice is stable");
    return 0;
}
