#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "text/CodePage.h"
#include "text/Text.h"

namespace tunelark::test {

// GBK from a UTF-8 literal, so the tests read as the user sees them.
inline Text Gbk(const std::string& utf8) {
    return Utf8ToGbk(utf8);
}

inline std::string ReadTestFile(const std::string& name) {
    std::ifstream file(std::string(TUNELARK_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace tunelark::test
