#pragma once

#include <unistd.h>

#include <filesystem>
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

// True when text is prefix followed by exactly 13 digits (a millisecond time stamp).
inline bool IsStamped(const std::string& text, const std::string& prefix) {
    if (!text.starts_with(prefix) || text.size() != prefix.size() + 13) return false;
    return text.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// A path in the temporary folder that no other test process uses.
inline std::filesystem::path PrivateTempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("tunelark-catalog-" + std::to_string(getpid()) + "-" + name);
}

inline std::string ReadTestFile(const std::string& name) {
    std::ifstream file(std::string(TUNELARK_TEST_DATA) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace tunelark::test
