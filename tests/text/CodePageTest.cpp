#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "text/CodePage.h"

namespace tunelark {
namespace {

struct Utf16ToGbkCase {
    const char* name;
    Utf16Bytes utf16;
    Text gbk;
};

TEST(Utf16ToGbkTest, ConvertsAsExpected) {
    const Utf16ToGbkCase cases[] = {
        {"CjkWithoutTerminator", std::string("\x60\x4F", 2), "\xC4\xE3"},
        {"StopsAtFirstZeroUnit", std::string("A\0\0\0B\0", 6), "A"},
        // A zero byte that is half of a unit does not end the text.
        {"ZeroHighByteIsNoTerminator", std::string("\x00\x4E\x41\x00", 4), "\xD2\xBB\x41"},  // 一A
        {"OddTrailingByteIgnored", std::string("A\0B", 3), "A"},
        {"BaseAndCombiningMarkComposed", std::string("e\0\x01\x03", 4), "\xA8\xA6"},  // é
        {"MarkWithoutPrecomposedFormIsDefaultChar", std::string("q\0\x01\x03", 4), "q?"},
        // Full NFC would turn U+F92C into U+90CE; GBK holds the compatibility code itself.
        {"CompatibilityIdeographKept", std::string("\x2C\xF9", 2), "\xFD\x9C"},
        {"CharacterOutsideGbkIsQuestionMark", std::string("\x3D\xD8\x00\xDE", 4), "?"},  // U+1F600
        {"LoneSurrogateIsQuestionMark", std::string("\x00\xD8\x41\x00", 4), "?A"},
        {"Empty", "", ""}};
    for (const Utf16ToGbkCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf16ToGbk(c.utf16), c.gbk);
    }
}

TEST(GbkToUtf16Test, AddsTerminatorUnlessAskedNotTo) {
    EXPECT_EQ(GbkToUtf16("A"), std::string("A\0\0\0", 4));
    EXPECT_EQ(GbkToUtf16("A", true), std::string("A\0", 2));
    EXPECT_EQ(GbkToUtf16("\xC4\xE3", true), std::string("\x60\x4F", 2));
}

TEST(GbkToUtf16Test, EmptyTextGivesNoTerminator) {
    EXPECT_EQ(GbkToUtf16(""), "");
    EXPECT_EQ(GbkToUtf16("", true), "");
}

TEST(GbkToUtf16Test, InvalidBytesBecomeReplacementCharacters) {
    // A lead byte followed by a space: the lead alone is invalid, the space survives.
    EXPECT_EQ(GbkToUtf16("\x81 x", true), std::string("\xFD\xFF \0x\0", 6));
    EXPECT_EQ(GbkToUtf16("a\x81", true), std::string("a\0\xFD\xFF", 4));
}

TEST(GbkRoundTripTest, EveryMappedTwoByteCodeSurvivesUtf16AndBack) {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const Text code{static_cast<char>(lead), static_cast<char>(trail)};
            const Utf16Bytes utf16 = GbkToUtf16(code, true);
            ASSERT_EQ(utf16.size(), 2u) << std::hex << lead << ' ' << trail;
            if (utf16 == "\xFD\xFF") continue;  // not a character of the table
            ++mapped;
            EXPECT_EQ(Utf16ToGbk(utf16), code) << std::hex << lead << ' ' << trail;
        }
    }
    // GBK's 21,886 characters plus the user-defined areas that Windows maps to private use.
    EXPECT_EQ(mapped, 23940);
}

TEST(GbkRoundTripTest, SingleBytesOfTheWindowsTable) {
    EXPECT_EQ(GbkToUtf16("\x80", true), std::string("\xAC\x20", 2));  // euro sign
    EXPECT_EQ(Utf16ToGbk(std::string("\xAC\x20", 2)), "\x80");
    for (int byte = 1; byte < 0x80; ++byte) {
        const Text text(1, static_cast<char>(byte));
        EXPECT_EQ(Utf16ToGbk(GbkToUtf16(text)), text) << byte;
    }
}

struct Utf8ToGbkCase {
    const char* name;
    std::string utf8;
    Text gbk;
};

TEST(Utf8ToGbkTest, ConvertsAsExpected) {
    const Utf8ToGbkCase cases[] = {{"Cjk", "\xE4\xBD\xA0", "\xC4\xE3"},
                                   {"Ascii", "kwid=1&x", "kwid=1&x"},
                                   // GBK bytes of 你好 are not UTF-8: each invalid byte and each
                                   // cut-off sequence (E3 BA) becomes one "?".
                                   {"GbkInputGivesQuestionMarks", "\xC4\xE3\xBA\xC3", "???"},
                                   {"TruncatedSequenceAtEnd", "a\xE4\xBD", "a?"},
                                   {"CombiningMarkNotComposed", "e\xCC\x81", "e?"},
                                   {"EndsAtZeroByte", std::string("ab\0cd", 5), "ab"},
                                   {"Empty", "", ""}};
    for (const Utf8ToGbkCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
    }
}

TEST(CodePageTest, DefaultsAreUtf8InAndGbkOut) {
    const Utf16Bytes utf16 = CodePageToUtf16("\xE4\xBD\xA0");
    EXPECT_EQ(utf16, std::string("\x60\x4F\0\0", 4));
    EXPECT_EQ(Utf16ToCodePage(utf16), "\xC4\xE3");
    EXPECT_EQ(Utf16ToCodePage(utf16, kCodePageGbk), "\xC4\xE3");
    EXPECT_EQ(Utf16ToCodePage(utf16, kCodePageUtf8), "\xE4\xBD\xA0");
    EXPECT_EQ(CodePageToUtf16("\xC4\xE3", kCodePageAnsi), utf16);
}

TEST(CodePageTest, OtherKnownCodePagesUseTheirTables) {
    EXPECT_EQ(CodePageToUtf16("\xE9", 1252), std::string("\xE9\0\0\0", 4));
    EXPECT_EQ(Utf16ToCodePage(std::string("\xE9\0\0\0", 4), 1252), "\xE9");
    EXPECT_EQ(Utf16ToCodePage(std::string("\x60\x4F", 2), 1252), "?");
    EXPECT_EQ(CodePageToUtf16("\x82", 437), std::string("\xE9\0\0\0", 4));
}

TEST(CodePageTest, UnknownCodePageMeansGbk) {
    EXPECT_EQ(CodePageToUtf16("\xC4\xE3", 12345), CodePageToUtf16("\xC4\xE3", kCodePageGbk));
    EXPECT_EQ(Utf16ToCodePage(std::string("\x60\x4F", 2), -7), "\xC4\xE3");
}

TEST(CodePageTest, Utf16ToCodePageDoesNotComposeMarks) {
    EXPECT_EQ(Utf16ToCodePage(std::string("e\0\x01\x03", 4), kCodePageGbk), "e?");
}

TEST(CodePageTest, LoneSurrogateToUtf8IsReplacementCharacter) {
    EXPECT_EQ(Utf16ToCodePage(std::string("\x00\xD8", 2), kCodePageUtf8), "\xEF\xBF\xBD");
}

TEST(GbkToUtf8Test, ConvertsAndReplacesInvalidBytes) {
    EXPECT_EQ(GbkToUtf8("D:\\\xD2\xF4\xC0\xD6"), "D:\\\xE9\x9F\xB3\xE4\xB9\x90");  // 音乐
    EXPECT_EQ(GbkToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8(""), "");
}

TEST(CodePageTest, LongTextConvertsWhole) {
    Text text;
    for (int i = 0; i < 100000; ++i)
        text +=
            "\xC4\xE3"
            "a";
    const Utf16Bytes utf16 = GbkToUtf16(text, true);
    EXPECT_EQ(utf16.size(), 400000u);
    EXPECT_EQ(Utf16ToGbk(utf16), text);
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8(text)), text);
}

TEST(CodePageTest, ThreadsConvertConcurrently) {
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 2000; ++i) {
                const Text text = "\xC4\xE3" + std::to_string(t * 100000 + i);
                if (Utf8ToGbk(GbkToUtf8(text)) != text) ++failures[t];
                if (Utf16ToGbk(GbkToUtf16(text)) != text) ++failures[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace tunelark
