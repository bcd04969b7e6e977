#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "text/CodePage.h"
#include "text/CompiledPattern.h"
#include "text/PatternMatcher.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

// Tests write their texts in UTF-8; the matcher takes and gives GBK.
Text G(const std::string& utf8) {
    return Utf8ToGbk(utf8);
}

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(TUNELARK_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every match's text, or every match's capture group, in order.
std::vector<std::string> AllMatches(const PatternMatcher& matcher, int32_t group = 0) {
    std::vector<std::string> texts;
    for (int32_t i = 1; i <= matcher.MatchCount(); ++i) {
        const Text text = group == 0 ? matcher.MatchText(i) : matcher.CaptureText(i, group);
        texts.push_back(GbkToUtf8(text));
    }
    return texts;
}

using Texts = std::vector<std::string>;

const char* const kMetaCharset = R"(<meta.+?charset=[^\w]?([-\w]+))";

struct CharsetCase {
    const char* name;
    const char* page;
    const char* charset;  // "" when the pattern must not match
};

class MetaCharsetTest : public testing::TestWithParam<CharsetCase> {};

TEST_P(MetaCharsetTest, FindsTheDeclaredCharset) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search(kMetaCharset, GetParam().page));
    const std::string expected = GetParam().charset;
    EXPECT_EQ(matcher.MatchCount(), expected.empty() ? 0 : 1);
    EXPECT_EQ(matcher.CaptureText(1, 1), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MetaCharsetTest,
    testing::Values(
        CharsetCase{
            "CapitalTagUnquotedValue",
            R"(<HTML><HEAD><META http-equiv="Content-Type" content="text/html; charset=gb2312">)",
            "gb2312"},
        CharsetCase{"QuotedValue", R"(<head><meta charset="utf-8"></head>)", "utf-8"},
        CharsetCase{"SingleQuotedMixedCase", "<Meta Charset='Big5'>", "Big5"},
        CharsetCase{"NoQuotesAtAll", "<meta http-equiv=content-type content=text/html;charset=GBK>",
                    "GBK"},
        // The lazy run goes on past other tags to the first charset on the line.
        CharsetCase{"LazyRunPassesOtherTags", "<meta name=x><p>charset=utf-8</p>", "utf-8"},
        CharsetCase{"NoMetaTag", "<html><body>charset=utf-8</body></html>", ""},
        CharsetCase{"TagSplitOverTwoLines",
                    "<meta http-equiv=\"Content-Type\"\n content=\"text/html; charset=utf-8\">",
                    ""},
        CharsetCase{"TagSplitByCrlf", "<meta http-equiv=\"Content-Type\"\r\n charset=utf-8>", ""}),
    [](const testing::TestParamInfo<CharsetCase>& testCase) { return testCase.param.name; });

// A single search with flags, and every match it should give.
struct DialectCase {
    const char* name;
    std::string pattern;
    std::string subject;
    Texts matches;
    bool caseSensitive = false;
    bool multiLine = true;
    bool global = true;
};

class DialectTest : public testing::TestWithParam<DialectCase> {};

TEST_P(DialectTest, MatchesAsTheScrapersExpect) {
    const DialectCase& c = GetParam();
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search(G(c.pattern), G(c.subject), c.caseSensitive, c.multiLine, c.global));
    EXPECT_EQ(AllMatches(matcher), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialectTest,
    testing::Values(
        DialectCase{
            "LazyStopsAtFirstEnd", "<b>.*?</b>", "<b>1</b><b>2</b>", {"<b>1</b>", "<b>2</b>"}},
        DialectCase{"GreedyTakesAll", "<b>.*</b>", "<b>1</b><b>2</b>", {"<b>1</b><b>2</b>"}},
        DialectCase{"LazyPlusTakesOne", "a+?", "aaa", {"a", "a", "a"}},
        DialectCase{"LazyDoesNotCrossLineFeed",
                    "<b>(.*?)</b>",
                    "<b>one\ntwo</b> <b>three</b>",
                    {"<b>three</b>"}},
        DialectCase{"DotTakesCarriageReturn", "<b>.*?</b>", "<b>a\rb</b>", {"<b>a\rb</b>"}},
        DialectCase{"DotTakesAChineseCharacterWhole", "a.b", "a中b a中文b", {"a中b"}},
        DialectCase{"LiteralCrLfTab", "x\r\n\t\ty", "x\r\n\ty x\r\n\t\ty", {"x\r\n\t\ty"}},
        DialectCase{"LiteralQuotesAndFullWidth",
                    "<span>歌手：</span>'\"",
                    "<span>歌手：</span>'\"",
                    {"<span>歌手：</span>'\""}},
        DialectCase{"WordClassIsAscii", "\\w+", "ab中c_9é", {"ab", "c_9"}},
        DialectCase{"NegatedWordClassTakesChinese", "[^\\w]", "a中b", {"中"}},
        DialectCase{"LeadingHyphenInClass", "[-\\w]+", "x utf-8 y", {"x", "utf-8", "y"}},
        DialectCase{"IgnoresAsciiCaseByDefault", "abc", "ABC aBc", {"ABC", "aBc"}},
        // The engine's Unicode case folding: full-width and accented letters fold too.
        DialectCase{"IgnoresCaseOfFullWidthLetters", "ａｂ", "ＡＢ", {"ＡＢ"}},
        DialectCase{"CaseSensitiveWhenAsked", "abc", "ABC abc", {"abc"}, true},
        DialectCase{"NotGlobalGivesFirst", "\\d+", "1 22 333", {"1"}, false, true, false},
        DialectCase{"MultiLineAnchors", "^\\w", "ab\ncd", {"a", "c"}},
        DialectCase{"SingleLineAnchors", "^\\w", "ab\ncd", {"a"}, false, false},
        // An empty match moves on by one character, so the search ends.
        DialectCase{"EmptyMatchesAdvance", "x*", "a中", {"", "", ""}},
        DialectCase{"MatchesDoNotOverlap", "aa", "aaaaa", {"aa", "aa"}}),
    [](const testing::TestParamInfo<DialectCase>& testCase) { return testCase.param.name; });

TEST(PatternMatcherTest, RejectedPatternLeavesEverythingEmpty) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search("(a)", "a"));  // results of an earlier search must not linger
    EXPECT_FALSE(matcher.Search("(abc", "abc"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.CaptureCount(), 0);
    EXPECT_EQ(matcher.MatchText(1), "");
    EXPECT_EQ(matcher.CaptureText(1, 1), "");
    EXPECT_EQ(matcher.ReplaceMatches("x"), "");
    int32_t position = 7;
    EXPECT_EQ(matcher.MatchText(1, &position), "");
    EXPECT_EQ(position, -1);
}

TEST(PatternMatcherTest, OutOfRangeReadsAreEmpty) {
    PatternMatcher matcher;
    EXPECT_EQ(matcher.CaptureCount(), 0);
    const Text record = "'ARTIST':'A','ALIAS':'','ID':'1','ALBUM':'T'";
    ASSERT_TRUE(matcher.Search("'ARTIST':'(.*?)','ALIAS':'','(.*?)'ALBUM':'(.*?)'", record));
    ASSERT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.CaptureCount(), 3);
    EXPECT_EQ(matcher.CaptureText(1, 1), "A");
    EXPECT_EQ(matcher.CaptureText(1, 2), "ID':'1',");
    EXPECT_EQ(matcher.CaptureText(1, 3), "T");
    for (const auto& [match, group] : std::vector<std::pair<int32_t, int32_t>>{
             {1, 4}, {1, 0}, {1, -1}, {0, 1}, {2, 1}, {-5, 1}, {INT32_MAX, 1}, {1, INT32_MAX}}) {
        EXPECT_EQ(matcher.CaptureText(match, group), "") << match << "," << group;
    }
    for (const int32_t match : {0, 2, -1, INT32_MAX}) EXPECT_EQ(matcher.MatchText(match), "");

    ASSERT_TRUE(matcher.Search("nothing", record));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.CaptureCount(), 0);
    EXPECT_EQ(matcher.CaptureText(1, 1), "");
}

TEST(PatternMatcherTest, GroupOutsideTheMatchIsEmpty) {
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search("(a)|(b)", "ba"));
    EXPECT_EQ(matcher.CaptureCount(), 2);
    EXPECT_EQ(matcher.CaptureText(1, 1), "");
    EXPECT_EQ(matcher.CaptureText(1, 2), "b");
    EXPECT_EQ(matcher.CaptureText(2, 1), "a");
    EXPECT_EQ(matcher.CaptureText(2, 2), "");
}

struct PositionCase {
    const char* name;
    std::string pattern;
    std::string subject;
    int32_t match;
    int32_t group;  // 0: the match itself
    std::string text;
    int32_t position;
};

class PositionTest : public testing::TestWithParam<PositionCase> {};

TEST_P(PositionTest, IsTheByteOffsetInTheSubject) {
    const PositionCase& c = GetParam();
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search(G(c.pattern), G(c.subject)));
    int32_t position = -2;
    const Text text = c.group == 0 ? matcher.MatchText(c.match, &position)
                                   : matcher.CaptureText(c.match, c.group, &position);
    EXPECT_EQ(GbkToUtf8(text), c.text);
    EXPECT_EQ(position, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PositionTest,
    testing::Values(
        PositionCase{"AsciiOnly", "b", "abc", 1, 0, "b", 1},
        // Two characters of two bytes each come first: character offset 2, byte offset 4.
        PositionCase{"AfterChineseText", "ab", "中文ab", 1, 0, "ab", 4},
        PositionCase{"FoundIgnoringCase", "AB", "中文ab", 1, 0, "ab", 4},
        // The same text earlier on must not be taken for the later match.
        PositionCase{"RepeatedTextLaterMatch", "ab", "中中中ab ab", 2, 0, "ab", 9},
        PositionCase{"CaptureNotTakenFromEarlierInMatch", "a(a)", "文aa", 1, 1, "a", 3},
        PositionCase{"CaptureAfterChinese", "歌手：(\\w+)", "中歌手：Mia", 1, 1, "Mia", 8},
        PositionCase{"EmptyMatch", "x*", "中a", 2, 0, "", 2},
        PositionCase{"OutOfRange", "a", "中a", 2, 0, "", -1}),
    [](const testing::TestParamInfo<PositionCase>& testCase) { return testCase.param.name; });

TEST(PatternMatcherTest, PositionStepsOverTwoByteCharacters) {
    PatternMatcher matcher;
    // 0x81 0x41 is one character whose second byte is the letter A.
    const Text subject =
        "\x81\x41"
        "A";
    ASSERT_TRUE(matcher.Search("a", subject));
    int32_t position = -2;
    EXPECT_EQ(matcher.MatchText(1, &position), "A");
    EXPECT_EQ(position, 2);
    EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(PatternMatcherTest, QuoteMarkerStandsForADoubleQuote) {
    const Text pattern = std::string("a").append(kQuoteMarker).append("b");
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search(pattern, "xa\"by", false, true, true, true));
    EXPECT_EQ(matcher.MatchText(1), "a\"b");
    EXPECT_EQ(matcher.PatternText(), "a\"b");

    ASSERT_TRUE(matcher.Search(pattern, "xa\"by"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.PatternText(), pattern);
}

TEST(PatternMatcherTest, PatternTextIsEmptyBeforeAnySearch) {
    PatternMatcher matcher;
    EXPECT_EQ(matcher.PatternText(), "");
    ASSERT_TRUE(matcher.Search(G("歌手：(.*?)"), G("歌手：x")));
    EXPECT_EQ(matcher.PatternText(), G("歌手：(.*?)"));
}

TEST(PatternMatcherTest, ReplacesMatchesWithTheEnginesSyntax) {
    PatternMatcher matcher;
    EXPECT_EQ(matcher.ReplaceMatches("x"), "");
    ASSERT_TRUE(matcher.Search("(\\d+)", G("a1中22")));
    EXPECT_EQ(GbkToUtf8(matcher.ReplaceMatches(G("<$1文>"))), "a<1文>中<22文>");
    EXPECT_EQ(matcher.ReplaceMatches("$$"), G("a$中$"));
    ASSERT_TRUE(matcher.Search("(\\d+)", G("a1中22"), false, true, false));
    EXPECT_EQ(GbkToUtf8(matcher.ReplaceMatches("<$1>")), "a<1>中22");
    // A replacement the engine cannot read is a failure, not a half-done text.
    EXPECT_EQ(matcher.ReplaceMatches("$9"), "");
    ASSERT_TRUE(matcher.Search("NONE", "abc"));
    EXPECT_EQ(matcher.ReplaceMatches("x"), "abc");
}

TEST(PatternMatcherTest, CopiesKeepTheirOwnResults) {
    PatternMatcher original;
    ASSERT_TRUE(original.Search("(\\w)(\\d)", "a1 b2"));
    PatternMatcher copy(original);
    PatternMatcher assigned;
    assigned = original;
    ASSERT_TRUE(original.Search("z", "zzz"));

    for (const PatternMatcher* matcher : {&copy, &assigned}) {
        EXPECT_EQ(matcher->MatchCount(), 2);
        EXPECT_EQ(matcher->CaptureText(2, 2), "2");
        EXPECT_EQ(matcher->PatternText(), "(\\w)(\\d)");
        EXPECT_EQ(matcher->ReplaceMatches("$2$1"), "1a 2b");
    }
    EXPECT_EQ(original.MatchCount(), 3);

    PatternMatcher moved(std::move(copy));
    EXPECT_EQ(moved.MatchText(1), "a1");
    assigned = PatternMatcher();
    EXPECT_EQ(assigned.MatchCount(), 0);
    EXPECT_EQ(assigned.PatternText(), "");
}

TEST(PatternMatcherTest, CatastrophicBacktrackingEndsTheSearch) {
    // Nested repetition that cannot succeed explodes combinatorially; the engine's work limit
    // ends the attempt, and the matches found before it are kept.
    const Text subject = "ab " + std::string(20000, 'a');
    PatternMatcher matcher;
    ASSERT_TRUE(matcher.Search("(a+)+[bc]", subject));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.MatchText(1), "ab");
    EXPECT_EQ(matcher.ReplaceMatches("x"), "");

    ASSERT_TRUE(matcher.Search("(\\w+\\s?)+[!?]", std::string(20000, 'w')));
    EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(PatternMatcherTest, SearchOverItsTimeBudgetEndsAfterTheCurrentMatch) {
    const auto pattern = CompiledPattern::Compile(u"a", {});
    ASSERT_NE(pattern, nullptr);
    EXPECT_EQ(
        pattern->FindAll(u"a a a", true, std::chrono::steady_clock::duration::zero()).MatchCount(),
        1U);
    EXPECT_EQ(pattern->FindAll(u"a a a", true).MatchCount(), 3U);
}

// What the music search scrapes from a reply after percent-decoding it from UTF-8.
TEST(ScrapingPatternTest, MusicSearchReply) {
    const Text reply = UrlDecode(ReadData("music_search_reply.txt"), true);
    ASSERT_FALSE(reply.empty());
    PatternMatcher ids;
    PatternMatcher details;
    ASSERT_TRUE(ids.Search("'MP3RID':'MP3_(.*?)'", reply));
    ASSERT_TRUE(details.Search("'ARTIST':'(.*?)','ALIAS':'','(.*?)'ALBUM':'(.*?)'", reply));

    EXPECT_EQ(AllMatches(ids, 1), (Texts{"228908", "6538471", "7001234"}));
    EXPECT_EQ(AllMatches(details, 1), (Texts{"张杰", "杨宗纬&张碧晨", "Mia O'Neil"}));
    EXPECT_EQ(AllMatches(details, 3), (Texts{"凉凉", "凉凉&nbsp;(Live)", "Cold Cold&NBSP;Night"}));
    EXPECT_EQ(GbkToUtf8(details.CaptureText(2, 2)), "ARTISTID':'947',");
}

// What the MV search scrapes from its page once the page's UTF-8 is converted to GBK.
TEST(ScrapingPatternTest, MvSearchPage) {
    const std::string page = ReadData("mv_search_page.html");
    ASSERT_NE(page.find("\r\n\t\t\t\t\t\t<span>"), std::string::npos);
    PatternMatcher charset;
    ASSERT_TRUE(charset.Search(kMetaCharset, page.substr(0, 1024)));
    EXPECT_EQ(charset.CaptureText(1, 1), "utf-8");

    const Text text = Utf8ToGbk(page);
    const std::string crlf = "\r\n";
    const std::string abstractPattern =
        "<div class=\"c-abstract\">" + crlf + std::string(6, '\t') + "(.*?)" + crlf +
        std::string(5, '\t') + "</div>" + crlf + std::string(5, '\t') +
        "<div class=\"structure-words-vertical\">" + crlf + std::string(6, '\t') + "<span>" + crlf +
        std::string(7, '\t') + "<span class=\"preBold\">歌手：</span>(.*?)" + crlf +
        std::string(6, '\t') + "</span>";
    const std::string linkPattern = "<div class=\"c-image page-pic\">" + crlf +
                                    std::string(5, '\t') + "<a href=\"(.*?)\" target=\"_blank\"";
    PatternMatcher abstracts;
    PatternMatcher links;
    ASSERT_TRUE(abstracts.Search(G(abstractPattern), text));
    ASSERT_TRUE(links.Search(G(linkPattern), text));

    // The third MV's abstract spans two lines and is not matched; its link still is.
    EXPECT_EQ(AllMatches(abstracts, 1), (Texts{"<em>凉凉</em>（电视剧《三生三世十里桃花》片尾曲）",
                                               "<EM>凉凉</EM> 现场版 \"Live\"",
                                               "Cold Cold Night (<em>凉凉</em> English cover)"}));
    EXPECT_EQ(AllMatches(abstracts, 2),
              (Texts{"杨宗纬,张碧晨", "张碧晨", "Mia O'Neil &amp; Friends"}));
    EXPECT_EQ(AllMatches(links, 1),
              (Texts{"/mv/?id=10001", "/mv/?id=10002", "/mv/?id=10003", "/mv/?id=10004"}));

    // Any other indentation or line end and the page no longer matches.
    PatternMatcher lfOnly;
    Text withoutCr = text;
    std::erase(withoutCr, '\r');
    ASSERT_TRUE(lfOnly.Search(G(abstractPattern), withoutCr));
    EXPECT_EQ(lfOnly.MatchCount(), 0);
}

}  // namespace
}  // namespace tunelark
