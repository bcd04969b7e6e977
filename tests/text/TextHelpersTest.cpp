#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "text/CodePage.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

// Names for GBK bytes used below: 0x81 0x41 and 0x81 0x61 are two-byte characters whose
// second byte is "A" / "a"; 0x81 0x5D ends in "]".
#define LEAD "\x81"

struct BetweenCase {
    const char* name;
    Text text;
    Text start;
    Text end;
    int startPosition;
    bool ignoreCase;
    Text expected;
};

TEST(TextBetweenTest, CutsTheTextBetweenMarkers) {
    const BetweenCase cases[] = {
        {"QuoteMarkers", "a\"b\"c", kQuoteMarker, kQuoteMarker, 1, false, "b"},
        {"QuoteMarkerInsideMarker", "<a href=\"/u?id=1\">", std::string("href=") + kQuoteMarker,
         kQuoteMarker, 1, false, "/u?id=1"},
        {"EndOnlyBeforeStart", "]x[abc", "[", "]", 1, false, ""},
        {"EndDirectlyAfterStart", "xABy", "A", "B", 1, false, ""},
        {"NoStart", "abc", "[", "]", 1, false, ""},
        {"StartAtEnd", "abc[", "[", "]", 1, false, ""},
        {"StartPositionSkipsFirst", "<a>1</a><a>2</a>", "<a>", "</a>", 2, false, "2"},
        {"StartPositionOnMarker", "<a>1</a><a>2</a>", "<a>", "</a>", 9, false, "2"},
        {"StartPositionZeroIsOne", "<a>1</a>", "<a>", "</a>", 0, false, "1"},
        {"StartPositionNegativeIsOne", "<a>1</a>", "<a>", "</a>", -5, false, "1"},
        {"StartPositionPastEnd", "<a>1</a>", "<a>", "</a>", 99, false, ""},
        {"CaseMatters", "<TITLE>x</Title>", "<title>", "</title>", 1, false, ""},
        {"CaseIgnored", "<TITLE>x</Title>", "<title>", "</title>", 1, true, "x"},
        {"StartNotOnSecondByte", LEAD "AxA1B", "A", "B", 1, false, "1"},
        {"EndNotOnSecondByte", "[1" LEAD "]2]", "[", "]", 1, false, "1" LEAD "]2"},
        {"FoldedStartNotOnSecondByte", LEAD "a=1;A=2;", "a=", ";", 1, true, "2"},
        {"TwoByteMarkerNotFolded", LEAD "ax" LEAD "Ay;", LEAD "A", ";", 1, true, "y"},
        {"GbkMarkers", Utf8ToGbk("【最新版本号】1.2\n"), Utf8ToGbk("】"), "\n", 1, false, "1.2"}};
    for (const BetweenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.startPosition, c.ignoreCase), c.expected);
    }
}

struct AfterLastCase {
    const char* name;
    Text text;
    Text marker;
    std::optional<int> limit;
    bool ignoreCase;
    Text expected;
};

TEST(TextAfterLastTest, TakesWhatFollowsTheLastMarker) {
    const AfterLastCase cases[] = {
        {"Last", "a=1&kwid=2&kwid=33", "kwid=", std::nullopt, false, "33"},
        {"Missing", "a=1&kwid=2&kwid=33", "vid=", std::nullopt, false, ""},
        {"MarkerAtEnd", "a=1&id=", "id=", std::nullopt, false, ""},
        // The second "kwid=" takes positions 12 to 16.
        {"LimitJustAfterMarker", "a=1&kwid=2&kwid=33", "kwid=", 17, false, "33"},
        {"LimitOnMarkersEnd", "a=1&kwid=2&kwid=33", "kwid=", 16, false, "2&kwid=33"},
        {"LimitOne", "kwid=1", "kwid=", 1, false, ""},
        {"LimitNegative", "kwid=1", "kwid=", -3, false, ""},
        {"LimitPastEnd", "kwid=1", "kwid=", 100, false, "1"},
        {"CaseMatters", "ID=1&Id=2", "id=", std::nullopt, false, ""},
        {"CaseIgnored", "ID=1&Id=2", "id=", std::nullopt, true, "2"},
        {"NotOnSecondByte", "idA1" LEAD "A2", "A", std::nullopt, false, "1" LEAD "A2"},
        {"FoldedNotOnSecondByte", "idA1" LEAD "a2", "a", std::nullopt, true, "1" LEAD "a2"}};
    for (const AfterLastCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextAfterLast(c.text, c.marker, c.limit, c.ignoreCase), c.expected);
    }
}

LocalClock FixedClock(LocalDateTime at) {
    return [at] { return at; };
}

struct StampCase {
    const char* name;
    LocalDateTime at;
    Text millis;
    Text seconds;
};

TEST(UnixTimeMillisTest, CountsFromEightOClockLocal) {
    const StampCase cases[] = {
        {"MillisecondsPadded", {2018, 1, 23, 16, 0, 0, 7}, "1516694400007", "1516694400"},
        {"YearEnd", {2024, 12, 31, 23, 59, 59, 999}, "1735660799999", "1735660799"},
        // Nine digits of seconds: the stamp is padded with "0" at its end, as it always was.
        {"LeapDayShortStamp", {2000, 2, 29, 8, 0, 0, 123}, "9517824001230", "9517824001"},
        {"Base", {1970, 1, 1, 8, 0, 0, 0}, "0000000000000", "0000000000"}};
    for (const StampCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UnixTimeMillis(false, FixedClock(c.at)), c.millis);
        EXPECT_EQ(UnixTimeMillis(true, FixedClock(c.at)), c.seconds);
    }
}

TEST(UnixTimeMillisClockTest, ReadsTheLocalClock) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ASSERT_NE(localtime_r(&now, &local), nullptr);
    const long long expected = now + local.tm_gmtoff - 8 * 3600;
    const Text stamp = UnixTimeMillis();
    ASSERT_EQ(stamp.size(), 13u);
    EXPECT_NEAR(std::stoll(UnixTimeMillis(true)), expected, 5);
    EXPECT_NEAR(std::stoll(stamp.substr(0, 10)), expected, 5);
}

struct DecodeCase {
    const char* name;
    Text text;
    bool fromUtf8;
    Text expected;
};

TEST(UrlDecodeTest, DecodesEscapes) {
    const DecodeCase cases[] = {{"PlusKept", "%e4%bd%a0+%41", false, "\xE4\xBD\xA0+A"},
                                {"FromUtf8", "%e4%bd%a0+%41", true, "\xC4\xE3+A"},
                                {"PercentAtEnd", "100%", false, "100%"},
                                {"OneDigitAtEnd", "%4", false, "%4"},
                                {"NotHex", "%zz1%4g", false, "%zz1%4g"},
                                {"PercentBeforeEscape", "%%41", false, "%A"},
                                {"NoSecondDecoding", "%2541", false, "%41"},
                                {"ZeroDropped", "a%00b", false, "ab"},
                                {"InvalidUtf8", "%E4%BDx", true, "?x"},
                                {"GbkLeftAlone", "\xC4\xE3%20", false, "\xC4\xE3 "},
                                {"Empty", "", true, ""}};
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UrlDecode(c.text, c.fromUtf8), c.expected);
    }
}

struct ReplaceCase {
    const char* name;
    Text text;
    std::optional<int> count;
    int startPosition;
    bool caseSensitive;
    std::vector<Replacement> pairs;
    Text expected;
};

const std::optional<int> kAll = std::nullopt;

TEST(ReplaceManyTest, AppliesPairsInTurn) {
    const ReplaceCase cases[] = {
        {"CaseIgnoredByDefault",
         "Tom&NBSP;and&nbsp;Jerry",
         kAll,
         1,
         false,
         {{"&nbsp;", " "}},
         "Tom and Jerry"},
        {"CaseSensitive",
         "Tom&NBSP;and&nbsp;Jerry",
         kAll,
         1,
         true,
         {{"&nbsp;", " "}},
         "Tom&NBSP;and Jerry"},
        {"CountPerPair", "a-b-c a", 1, 1, false, {{"-", "+"}, {"a", "x"}}, "x+b-c a"},
        {"CountZero", "a-b", 0, 1, false, {{"-", "+"}}, "a-b"},
        {"CountNegativeIsAll", "a-b-c", -1, 1, false, {{"-", "+"}}, "a+b+c"},
        {"StartPosition", "a-b-c", kAll, 3, false, {{"-", "+"}}, "a-b+c"},
        {"StartPositionBelowOne", "a-b", kAll, -4, false, {{"-", "+"}}, "a+b"},
        {"StartOnSecondByte", LEAD "AA", kAll, 2, true, {{"A", "b"}}, LEAD "Ab"},
        {"PairsChain", "ab", kAll, 1, false, {{"a", "b"}, {"b", "c"}}, "cc"},
        {"DeleteTags", "<em>x</em>y<EM>", kAll, 1, false, {{"<em>", ""}, {"</em>", ""}}, "xy"},
        {"EmptyFindChangesNothing", "abc", kAll, 1, false, {{"", "x"}}, "abc"},
        {"NoOverlap", "aaa", kAll, 1, false, {{"aa", "b"}}, "ba"},
        {"ReplacementHoldsFind", "a.a", kAll, 1, false, {{"a", "aa"}}, "aa.aa"},
        {"NotOnSecondByte", LEAD "AA", kAll, 1, true, {{"A", "b"}}, LEAD "Ab"},
        {"FoldedNotOnSecondByte", LEAD "aa", kAll, 1, false, {{"A", "b"}}, LEAD "ab"},
        {"SixPairsAllApplied",
         "abcdef",
         kAll,
         1,
         false,
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}, {"f", "6"}},
         "123456"},
        {"EmptyText", "", kAll, 1, false, {{"a", "b"}}, ""}};
    for (const ReplaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReplaceMany(c.text, c.count, c.startPosition, c.caseSensitive, c.pairs),
                  c.expected);
    }
}

TEST(ReplaceManyDefaultsTest, IgnoresCaseAndReplacesAll) {
    EXPECT_EQ(ReplaceMany("<EM>a</em>b<em>", {{"<em>", ""}, {"</em>", ""}}), "ab");
}

}  // namespace
}  // namespace tunelark
