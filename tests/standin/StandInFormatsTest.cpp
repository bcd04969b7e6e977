#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/MusicSearch.h"
#include "catalog/MvAddresses.h"
#include "catalog/MvSearch.h"
#include "catalog/SongAddress.h"
#include "standin/ByteRange.h"
#include "standin/Catalogue.h"
#include "standin/FaultSwitches.h"
#include "standin/ServiceReplies.h"
#include "standin/SitePages.h"
#include "text/CodePage.h"
#include "text/TextHelpers.h"

namespace tunelark::standin {
namespace {

constexpr const char* kBase = "http://mv.test";

std::vector<std::string> Cells(const std::vector<FoundRow>& rows, std::size_t column) {
    std::vector<std::string> cells;
    for (const FoundRow& row : rows) cells.push_back(GbkToUtf8(row.at(column)));
    return cells;
}

TEST(StandInCatalogue, FindsByTitleOrArtistInAnyCase) {
    EXPECT_GE(FindSongs("凉凉", 10).size(), 3u);
    EXPECT_EQ(FindSongs("凉凉", 2).size(), 2u);
    EXPECT_EQ(FindSongs("nora VALE", 10).size(), 2u);
    EXPECT_EQ(FindSongs("it rain", 10).size(), 1u);  // "Let&nbsp;It&nbsp;Rain"
    EXPECT_TRUE(FindSongs("no such song", 10).empty());
    EXPECT_TRUE(FindSongs(" ", 10).empty());
    EXPECT_EQ(FindMvs("凉凉").size(), 2u);
}

TEST(StandInFormats, MusicSearchReplyIsReadByTheClientsPatterns) {
    const auto songs = FindSongs("rain", 10);
    const auto rows = ParseMusicSearchReply(MusicSearchReply(songs, "searchMusicResult"), kBase);
    ASSERT_EQ(rows.size(), songs.size());
    EXPECT_EQ(Cells(rows, 1), (std::vector<std::string>{"The Quiet Hours", "Milo Hart"}));
    EXPECT_EQ(Cells(rows, 2), (std::vector<std::string>{"Let It Rain", "City Rain"}));
    EXPECT_EQ(Cells(rows, 3), (std::vector<std::string>{"http://mv.test/tool/song/?kwid=228909",
                                                        "http://mv.test/tool/song/?kwid=228910"}));
    const auto chinese =
        ParseMusicSearchReply(MusicSearchReply(FindSongs("凉凉", 10), "cb"), kBase);
    EXPECT_EQ(Cells(chinese, 2).at(2), "凉凉 (钢琴版)");
    EXPECT_EQ(Cells(chinese, 1).at(1), "许南风");
}

TEST(StandInFormats, MvSearchPageIsReadByTheClientsPatterns) {
    const std::string page = MvSearchPage("凉凉", FindMvs("凉凉"), "utf-8");
    const auto rows = ParseMvSearchPage(Utf8ToGbk(page), kBase);
    EXPECT_EQ(Cells(rows, 1), (std::vector<std::string>{"林间雪", "许南风"}));
    EXPECT_EQ(Cells(rows, 2), (std::vector<std::string>{"凉凉", "凉凉 (Live)"}));
    EXPECT_EQ(Cells(rows, 3), (std::vector<std::string>{"http://mv.test/mv/?id=5001",
                                                        "http://mv.test/mv/?id=5002"}));
    EXPECT_NE(page.find("<em>凉凉</em> (Live)"), std::string::npos);
    EXPECT_TRUE(ParseMvSearchPage(Utf8ToGbk(MvSearchPage("x", {}, "utf-8")), kBase).empty());
}

TEST(StandInFormats, AddressRepliesCarryTheClientsMarkers) {
    const Song& song = *SongById("228901");
    EXPECT_EQ(ParseSongAddressReply(SongAddressReply(&song, "http://h:1", "callback")),
              "http://h:1/media/song/228901.mp3");
    EXPECT_EQ(ParseSongAddressReply(SongAddressReply(nullptr, "http://h:1", "callback")), "");

    const std::vector<MvQuality> all =
        ParseMvAddressReply(MvAddressReply(MvById("5001"), "http://b", "c"));
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], (MvQuality{"432p", "http://b/media/mv/5001/432p.mp4"}));
    EXPECT_EQ(all[3], (MvQuality{"1080p", "http://b/media/mv/5001/1080p.mp4"}));
    EXPECT_EQ(ParseMvAddressReply(MvAddressReply(MvById("5002"), "http://b", "c")),
              (std::vector<MvQuality>{{"720p", "http://b/media/mv/5002/720p.mp4"},
                                      {"1080p", "http://b/media/mv/5002/1080p.mp4"}}));
    EXPECT_TRUE(ParseMvAddressReply(MvAddressReply(nullptr, "b", "c")).empty());
}

TEST(StandInFormats, UpdateDocumentIsGbkWithBothMarkers) {
    const std::string document = UpdateDocument("1.0.1", "http://h/d.html");
    EXPECT_EQ(TextBetween(document, Utf8ToGbk("【最新版本号】"), "&"), "1.0.1");
    EXPECT_EQ(TextBetween(document, Utf8ToGbk("【下载地址】"), "#"), "http://h/d.html");
}

struct RangeCase {
    const char* header;
    RangeAnswer::Kind kind;
    int64_t first;
    int64_t last;
};

TEST(StandInRanges, ResolvesOneRangeAgainstTheFileSize) {
    using Kind = RangeAnswer::Kind;
    const RangeCase cases[] = {
        {"", Kind::kWhole, 0, 999},
        {"bytes=0-99", Kind::kPart, 0, 99},
        {"bytes=900-", Kind::kPart, 900, 999},
        {"bytes=-10", Kind::kPart, 990, 999},
        {"bytes=-5000", Kind::kPart, 0, 999},
        {"bytes=990-5000", Kind::kPart, 990, 999},
        {"bytes=1000-", Kind::kUnsatisfiable, 0, -1},
        {"bytes=-0", Kind::kUnsatisfiable, 0, -1},
        {"bytes=5-1", Kind::kWhole, 0, 999},
        {"bytes=0-1,5-6", Kind::kWhole, 0, 999},
        {"items=0-1", Kind::kWhole, 0, 999},
        {"bytes=a-b", Kind::kWhole, 0, 999},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.header);
        const RangeAnswer answer = ResolveRange(c.header, 1000);
        EXPECT_EQ(answer.kind, c.kind);
        if (answer.kind == Kind::kUnsatisfiable) continue;
        EXPECT_EQ(answer.first, c.first);
        EXPECT_EQ(answer.last, c.last);
    }
}

TEST(StandInSwitches, ReadsSwitchesAndLetsTheRequestsOwnWin) {
    const FaultSwitches own = ParseFaultSwitches({{"drop", "100"},
                                                  {"redirect", "loop"},
                                                  {"status", "99"},
                                                  {"stall", "-1"},
                                                  {"setcookie", "a=1"},
                                                  {"setcookie", "b=2"},
                                                  {"norange", "1"},
                                                  {"kwId", "5"}});
    EXPECT_EQ(own.dropAfter, 100);
    EXPECT_EQ(own.redirects, -1);
    EXPECT_FALSE(own.status.has_value());   // out of range
    EXPECT_FALSE(own.stallMs.has_value());  // out of range
    EXPECT_EQ(own.cookies, (std::vector<std::string>{"a=1", "b=2"}));
    const FaultSwitches base =
        ParseFaultSwitches({{"drop", "5"}, {"nolength", "1"}, {"rate", "9"}});
    const FaultSwitches merged = own.Over(base);
    EXPECT_EQ(merged.dropAfter, 100);
    EXPECT_TRUE(merged.noLength && merged.ignoreRange);
    EXPECT_EQ(merged.rate, 9);
}

TEST(StandInSwitches, EachRedirectLowersTheCount) {
    EXPECT_EQ(WithOneRedirectLess("/m.mp3?redirect=3&drop=5"), "/m.mp3?redirect=2&drop=5");
    EXPECT_EQ(WithOneRedirectLess("/m.mp3?a=1&redirect=1"), "/m.mp3?a=1&redirect=0");
    EXPECT_EQ(WithOneRedirectLess("/m.mp3?redirect=loop"), "/m.mp3?redirect=loop");
}

}  // namespace
}  // namespace tunelark::standin
