#include <gtest/gtest.h>

#include <random>

#include "TestTexts.h"
#include "catalog/Columns.h"
#include "catalog/MusicSearch.h"
#include "catalog/MvSearch.h"

namespace tunelark {
namespace {

using test::Gbk;

const std::string kBase = "http://mv.example";

std::string Cell(const std::vector<FoundRow>& rows, size_t row, int32_t column) {
    return GbkToUtf8(rows.at(row).at(static_cast<size_t>(column)));
}

TEST(MusicSearchParse, SavedReplyGivesNumberedRowsWithArtistTitleAndPageLink) {
    const auto rows = ParseMusicSearchReply(test::ReadTestFile("music_search_reply.txt"), kBase);
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Cell(rows, i, SongColumn::kNumber), std::to_string(i + 1));
        EXPECT_EQ(rows[i].size(), 4u) << "address and status start empty";
    }
    EXPECT_EQ(Cell(rows, 0, SongColumn::kArtist), "张杰");
    EXPECT_EQ(Cell(rows, 0, SongColumn::kTitle), "凉凉");
    EXPECT_EQ(Cell(rows, 0, SongColumn::kPageLink), kBase + "/tool/song/?kwid=228908");
    EXPECT_EQ(Cell(rows, 1, SongColumn::kTitle), "凉凉 (Live)");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kArtist), "Mia O'Neil");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kTitle), "Cold Cold Night") << "&NBSP; in any case";
}

TEST(MusicSearchParse, RowsFollowSongIdsAndPairDetailsByPosition) {
    const Text reply =
        "{'ARTIST':'A','ALIAS':'','ARTISTID':'1','ALBUM':'T1&amp;x','MP3RID':'MP3_11'},"
        "{'ARTIST':'B','ALIAS':'','ARTISTID':'2','ALBUM':'T2','MP3RID':'MP3_22'},"
        "{'MP3RID':'MP3_33'}";
    const auto rows = ParseMusicSearchReply(reply, kBase);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Cell(rows, 0, SongColumn::kTitle), "T1&amp;x") << "other entities stay";
    EXPECT_EQ(Cell(rows, 1, SongColumn::kArtist), "B");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kArtist), "");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kTitle), "");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kPageLink), kBase + "/tool/song/?kwid=33");
}

TEST(MusicSearchParse, EmptyKeywordStillFormsTheQuery) {
    EXPECT_EQ(MusicSearchAddress("", "http://m"),
              "http://m/r.s?all=&ft=music&client=kt&cluster=0&rn=10&rformat=json&callback="
              "searchMusicResult&encoding=utf8&vipver=MUSIC_8.0.3.1&");
}

Text SavedMvPage() {
    return Gbk(test::ReadTestFile("mv_search_page.html"));
}

TEST(MvSearchParse, SavedPageGivesRowsWithoutEmTagsAndLinksPairedByPosition) {
    const auto rows = ParseMvSearchPage(SavedMvPage(), kBase);
    // The third MV's abstract spans two lines and does not match; the links do not know that.
    ASSERT_EQ(rows.size(), 3u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(Cell(rows, i, SongColumn::kNumber), std::to_string(i + 1));
        const std::string title = Cell(rows, i, SongColumn::kTitle);
        EXPECT_EQ(title.find("<em>"), std::string::npos) << title;
        EXPECT_EQ(title.find("<EM>"), std::string::npos) << title;
        EXPECT_EQ(title.find("</"), std::string::npos) << title;
    }
    EXPECT_EQ(Cell(rows, 0, SongColumn::kPageLink), kBase + "/mv/?id=10001");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kTitle), "Cold Cold Night (凉凉 English cover)");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kArtist), "Mia O'Neil &amp; Friends");
    EXPECT_EQ(Cell(rows, 2, SongColumn::kPageLink), kBase + "/mv/?id=10003");
}

TEST(MvSearchParse, PageLaidOutOtherwiseGivesNoRows) {
    Text spaces = SavedMvPage();
    for (size_t at = 0; (at = spaces.find('\t', at)) != Text::npos;) spaces.replace(at, 1, "    ");
    EXPECT_TRUE(ParseMvSearchPage(spaces, kBase).empty());

    Text lineFeeds = SavedMvPage();
    for (size_t at = 0; (at = lineFeeds.find("\r\n", at)) != Text::npos;) lineFeeds.erase(at, 1);
    EXPECT_TRUE(ParseMvSearchPage(lineFeeds, kBase).empty());
}

TEST(MvSearchParse, RowsBeyondTheLinksGetTheBareBase) {
    const Text abstract =
        Text("<div class=\"c-abstract\">\r\n\t\t\t\t\t\tT<Em>x</eM>\r\n\t\t\t\t\t</div>") +
        "\r\n\t\t\t\t\t<div class=\"structure-words-vertical\">\r\n\t\t\t\t\t\t"
        "<span>\r\n\t\t\t\t\t\t\t<span class=\"preBold\">" +
        Gbk("歌手：") + "</span>S\r\n\t\t\t\t\t\t</span>";
    const auto rows = ParseMvSearchPage(abstract, kBase);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(Cell(rows, 0, SongColumn::kTitle), "Tx");
    EXPECT_EQ(Cell(rows, 0, SongColumn::kArtist), "S");
    EXPECT_EQ(Cell(rows, 0, SongColumn::kPageLink), kBase);
}

TEST(SearchParse, MegabytesOfJunkGiveNoRows) {
    std::mt19937 random(7);
    Text junk(5u << 20, '\0');
    for (char& c : junk) c = static_cast<char>(random() % 255 + 1);
    EXPECT_TRUE(ParseMusicSearchReply(junk, kBase).empty());
    EXPECT_TRUE(ParseMvSearchPage(junk, kBase).empty());

    // Openings without their closings, over and over, on one line.
    Text openings;
    while (openings.size() < (1u << 20)) openings += "'MP3RID':'MP3_<div class=\"c-abstract\">\r\n";
    EXPECT_TRUE(ParseMusicSearchReply(openings, kBase).empty());
    EXPECT_TRUE(ParseMvSearchPage(openings, kBase).empty());
}

}  // namespace
}  // namespace tunelark
