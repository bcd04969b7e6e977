#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "text/GbkSearch.h"

namespace tunelark {
namespace {

// Characters chosen so that two-byte ones end in the bytes of ASCII letters.
const std::vector<std::string> kCharacters = {"A", "a", "B", "\x81\x41", "\x81\x61", "\xC4\xE3"};

using Characters = std::vector<std::string>;

std::string Join(const Characters& characters) {
    std::string joined;
    for (const auto& character : characters) joined += character;
    return joined;
}

bool SameCharacter(const std::string& a, const std::string& b, bool ignoreCase) {
    if (!ignoreCase || a.size() != 1 || b.size() != 1) return a == b;
    return std::tolower(static_cast<unsigned char>(a[0])) ==
           std::tolower(static_cast<unsigned char>(b[0]));
}

// Reference model: a match is a run of whole characters equal to the needle's characters.
std::vector<std::size_t> MatchOffsets(const Characters& text, const Characters& needle,
                                      bool ignoreCase) {
    std::vector<std::size_t> offsets;
    std::size_t offset = 0;
    for (std::size_t start = 0; start + needle.size() <= text.size(); ++start) {
        bool same = true;
        for (std::size_t i = 0; i < needle.size() && same; ++i) {
            same = SameCharacter(text[start + i], needle[i], ignoreCase);
        }
        if (same) offsets.push_back(offset);
        offset += text[start].size();
    }
    return offsets;
}

Characters RandomCharacters(std::mt19937& random, std::size_t maxLength) {
    Characters characters(std::uniform_int_distribution<std::size_t>(1, maxLength)(random));
    for (auto& character : characters) {
        character = kCharacters[std::uniform_int_distribution<std::size_t>(
            0, kCharacters.size() - 1)(random)];
    }
    return characters;
}

TEST(GbkSearchTest, AgreesWithCharacterModelOnRandomTexts) {
    std::mt19937 random(20260101);
    for (int round = 0; round < 3000; ++round) {
        const Characters text = RandomCharacters(random, 12);
        const Characters needle = RandomCharacters(random, 2);
        const std::string joined = Join(text);
        const std::string find = Join(needle);
        for (const bool ignoreCase : {false, true}) {
            const auto expected = MatchOffsets(text, needle, ignoreCase);
            const std::size_t first = expected.empty() ? kNotFound : expected.front();
            const std::size_t last = expected.empty() ? kNotFound : expected.back();
            ASSERT_EQ(FindText(joined, find, 0, ignoreCase), first) << joined << " / " << find;
            ASSERT_EQ(FindLastText(joined, find, joined.size(), ignoreCase), last)
                << joined << " / " << find;
        }
    }
}

TEST(GbkSearchTest, ReplaceAgreesWithCharacterModelOnRandomTexts) {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const Characters text = RandomCharacters(random, 12);
        const Characters needle = RandomCharacters(random, 2);
        const bool ignoreCase = round % 2 == 0;
        // Model: walk the characters, replacing non-overlapping matches from the left.
        std::string expected;
        for (std::size_t i = 0; i < text.size();) {
            const Characters rest(text.begin() + static_cast<std::ptrdiff_t>(i), text.end());
            const auto here = MatchOffsets(rest, needle, ignoreCase);
            if (!here.empty() && here.front() == 0) {
                expected += "#";
                i += needle.size();
            } else {
                expected += text[i++];
            }
        }
        ASSERT_EQ(ReplaceText(Join(text), Join(needle), "#", 0, kReplaceAll, ignoreCase), expected)
            << Join(text) << " / " << Join(needle);
    }
}

TEST(GbkSearchTest, StartInsideCharacterMovesToNextCharacter) {
    const std::string text =
        "\x81"
        "AA";  // the first A is the second byte of a character
    EXPECT_EQ(FindText(text, "A", 1, false), 2u);
    EXPECT_EQ(FindText(text, "A", 3, false), kNotFound);
    EXPECT_EQ(ReplaceText(text, "A", "b", 1, kReplaceAll, false),
              "\x81"
              "Ab");
}

TEST(GbkSearchTest, LastMatchMustEndByLimit) {
    const std::string text = "ab-ab-ab";
    EXPECT_EQ(FindLastText(text, "ab", 8, false), 6u);
    EXPECT_EQ(FindLastText(text, "ab", 7, false), 3u);
    EXPECT_EQ(FindLastText(text, "ab", 1, false), kNotFound);
    EXPECT_EQ(FindLastText("aaa", "aa", 3, false), 1u);  // the last occurrence may overlap
}

TEST(GbkSearchTest, LeadByteAtEndStandsAlone) {
    EXPECT_EQ(FindText("x\x81", "\x81", 0, false), 1u);
    EXPECT_EQ(FindText("x\x81", "A", 0, true), kNotFound);
    EXPECT_EQ(FindLastText("\x81", "\x81", 1, false), 0u);
}

TEST(GbkSearchTest, ReplaceCountsAndLeavesRestAlone) {
    EXPECT_EQ(ReplaceText("a-b-c-d", "-", "+", 0, 2, false), "a+b+c-d");
    EXPECT_EQ(ReplaceText("a-b-c-d", "-", "+", 0, 0, false), "a-b-c-d");
    EXPECT_EQ(ReplaceText("a-b", "", "+", 0, kReplaceAll, false), "a-b");
    EXPECT_EQ(ReplaceText("a-b", "-", "+", 9, kReplaceAll, false), "a-b");
    EXPECT_EQ(ReplaceText("a", "a", "aa", 0, kReplaceAll, false), "aa");
}

}  // namespace
}  // namespace tunelark
