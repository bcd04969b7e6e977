#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "text/Text.h"

namespace tunelark {

// A property that must hold for every input; when it does not, the input is a finding, so the
// run stops loudly and libFuzzer keeps the input as a crash artifact.
inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// A system text from the input: like the C strings texts stand for, it ends at a zero byte.
inline Text ConsumeText(FuzzedDataProvider& input, std::size_t maxLength) {
    Text text = input.ConsumeRandomLengthString(maxLength);
    return text.substr(0, text.find('\0'));
}

}  // namespace tunelark
