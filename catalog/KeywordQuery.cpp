#include "catalog/KeywordQuery.h"

namespace tunelark {

Text KeywordQueryValue(const Text& keyword) {
    Text value;
    value.reserve(keyword.size());
    for (size_t at = 0; at < keyword.size(); ++at) {
        const auto byte = static_cast<unsigned char>(keyword[at]);
        // The second byte of a two-byte character is never one of these, but step over it.
        if (byte >= 0x80 && at + 1 < keyword.size()) {
            value.append(keyword, at++, 2);
            continue;
        }
        switch (byte) {
            case '&':
                value += "%26";
                break;
            case '#':
                value += "%23";
                break;
            case '+':
                value += "%2B";
                break;
            default:
                value += static_cast<char>(byte);
        }
    }
    return value;
}

}  // namespace tunelark
