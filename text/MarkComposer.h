#pragma once

#include <string>

namespace tunelark {

// Joins each base character with the combining marks after it into the precomposed character
// where Unicode has one (e + U+0301 -> U+00E9), in place. Unlike full NFC it leaves every
// other character alone: a lone compatibility ideograph that GBK holds keeps its own code.
void ComposeMarks(std::u16string& units);

}  // namespace tunelark
