#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ReplayServer.h"
#include "TestTexts.h"
#include "catalog/CatalogSearch.h"
#include "catalog/Columns.h"
#include "catalog/MvCommands.h"
#include "catalog/SongAddress.h"
#include "catalog/SongCommands.h"
#include "platform/RowStore.h"

namespace tunelark {
namespace {

using test::Gbk;

constexpr const char* kSongService = "/tool/song/ajax/api.php";
constexpr const char* kMvService = "/tool/jiexi/ajax/ajax.php";
constexpr const char* kDefaultAgent =
    "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)";

class CatalogService : public ::testing::Test {
protected:
    ServiceConfig Config() const {
        return ServiceConfig{.musicBase = server_.Base(),
                             .mvBase = server_.Base(),
                             .updateBase = server_.Base(),
                             .probeUrl = server_.Base()};
    }
    Text SongLink(const std::string& id) const { return server_.Base() + "/tool/song/?kwid=" + id; }

    // A result row holding a song page link (and, when given, a cached address).
    TakenRow SongRow(const std::string& id, const Text& cached = "") {
        const int32_t row = results_.Append("1");
        results_.SetCell(row, SongColumn::kPageLink, SongLink(id));
        results_.SetCell(row, SongColumn::kAddress, cached);
        return TakeRow(results_, row, SongColumn::kCount);
    }

    test::ReplayServer server_;
    RowStore results_{SongColumn::kCount};
    RowStore qualities_{MvQualityColumn::kCount};
};

TEST_F(CatalogService, MusicSearchSendsTheKeywordAndFillsRows) {
    server_.Reply("/r.s", test::ReadTestFile("music_search_reply.txt"));
    const auto rows = FetchSearch(SearchMode::Music, Gbk("凉凉"), Config());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][SongColumn::kPageLink], server_.Base() + "/tool/song/?kwid=228908");

    (void)FetchSearch(SearchMode::Music, "", Config());
    (void)FetchSearch(SearchMode::Music, "C++ & A#1", Config());
    const auto seen = server_.RequestsTo("/r.s");
    ASSERT_EQ(seen.size(), 3u);
    const std::string tail =
        "&ft=music&client=kt&cluster=0&rn=10&rformat=json&callback=searchMusicResult"
        "&encoding=utf8&vipver=MUSIC_8.0.3.1&";
    EXPECT_EQ(seen[0].target, "/r.s?all=%E5%87%89%E5%87%89" + tail);
    EXPECT_EQ(seen[1].target, "/r.s?all=" + tail);
    EXPECT_EQ(seen[2].target, "/r.s?all=C%2B%2B%20%26%20A%231" + tail);
}

TEST_F(CatalogService, MvSearchSendsTheKeywordAndFillsRows) {
    server_.Reply("/so", test::ReadTestFile("mv_search_page.html"));
    const auto rows = FetchSearch(SearchMode::Mv, Gbk("凉凉"), Config());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][SongColumn::kPageLink], server_.Base() + "/mv/?id=10002");
    const auto seen = server_.RequestsTo("/so");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].target, "/so?q=%E5%87%89%E5%87%89&nsid=3");
}

TEST_F(CatalogService, ANewerSearchSupersedesARunningOne) {
    server_.Reply("/r.s", test::ReadTestFile("music_search_reply.txt"), /*held=*/true);
    server_.Reply("/so", test::ReadTestFile("mv_search_page.html"));
    SearchSession session(results_);
    const SearchTicket older = session.Begin();
    int32_t olderAdded = -1;
    std::thread search([&] { olderAdded = RunSearch(SearchMode::Music, "a", older, Config()); });
    ASSERT_TRUE(server_.WaitForRequests(1));

    EXPECT_EQ(RunSearch(SearchMode::Mv, "b", session.Begin(), Config()), 3);
    server_.Release();
    search.join();
    EXPECT_EQ(olderAdded, 0);
    ASSERT_EQ(results_.RowCount(), 3);
    EXPECT_EQ(results_.Cell(2, SongColumn::kPageLink), server_.Base() + "/mv/?id=10003");
}

TEST_F(CatalogService, SongAddressRequestCarriesStampAgentAndReferer) {
    server_.Reply(kSongService,
                  "callback({\"a\":1,\"hcVideoUrl\":\"http://media/s.mp3\",\"b\":2})");
    EXPECT_EQ(ResolveSongAddress(SongLink("228908"), Config()), "http://media/s.mp3");

    const auto seen = server_.RequestsTo(kSongService);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(
        test::IsStamped(seen[0].target, "/tool/song/ajax/api.php?callback=callback&kwId=228908&_="))
        << seen[0].target;
    EXPECT_EQ(seen[0].headers.count("User-Agent"), 1u);
    EXPECT_EQ(seen[0].headers.find("User-Agent")->second, kDefaultAgent);
    EXPECT_EQ(seen[0].headers.find("Referer")->second, SongLink("228908"));
}

TEST_F(CatalogService, MvAddressRequestCarriesStampAgentAndReferer) {
    server_.Reply(kMvService, "x");
    EXPECT_TRUE(ResolveMvAddresses(server_.Base() + "/mv/?id=10002", Config()).empty());
    const auto seen = server_.RequestsTo(kMvService);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(test::IsStamped(seen[0].target,
                                "/tool/jiexi/ajax/ajax.php?callback=callback&videoId=10002&_="))
        << seen[0].target;
    EXPECT_EQ(seen[0].headers.find("User-Agent")->second, kDefaultAgent);
    EXPECT_EQ(seen[0].headers.find("Referer")->second, server_.Base() + "/tool/jiexi/?id=10002");
}

TEST_F(CatalogService, RepliesWithoutAnAddressResolveToNothing) {
    const std::string replies[] = {
        "",
        "callback({\"error\":\"unknown song\"})",
        ",\"hcVideoUrl\":\"http://never-closed",
        std::string(1 << 20, '\x01'),
    };
    for (const std::string& reply : replies) {
        server_.Reply(kSongService, reply);
        server_.Reply(kMvService, reply);
        EXPECT_EQ(ResolveSongAddress(SongLink("1"), Config()), "") << reply.substr(0, 40);
        EXPECT_TRUE(ResolveMvAddresses(server_.Base() + "/mv/?id=1", Config()).empty());
    }
    // The song's marker begins with the comma before the field; the MV's do not.
    server_.Reply(kSongService, "{\"hcVideoUrl\":\"http://first-field\"}");
    EXPECT_EQ(ResolveSongAddress(SongLink("1"), Config()), "");

    // No server at all.
    ServiceConfig gone = Config();
    gone.mvBase = "http://127.0.0.1:1";
    EXPECT_EQ(ResolveSongAddress(SongLink("1"), gone), "");
}

TEST_F(CatalogService, ListenOnlineUsesTheCachedAddressWithoutARequest) {
    const TakenRow row = SongRow("5", "http://media/cached.mp3");
    std::vector<Text> played;
    EXPECT_TRUE(ListenOnline(
        results_, row, [&](const Text& a) { played.push_back(a); }, Config()));
    EXPECT_EQ(played, std::vector<Text>{"http://media/cached.mp3"});
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("解析成功，播放中"));
}

TEST_F(CatalogService, AFailedListenLeavesTheCacheEmptyAndTheNextOneAsksAgain) {
    server_.Reply(kSongService, "callback({})");
    const TakenRow row = SongRow("7");
    std::vector<Text> played;
    const auto play = [&](const Text& a) { played.push_back(a); };
    EXPECT_FALSE(ListenOnline(results_, row, play, Config()));
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("解析失败，请重试！"));
    EXPECT_EQ(results_.Cell(0, SongColumn::kAddress), "");
    EXPECT_TRUE(played.empty());

    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server_.Reply(kSongService, ",\"hcVideoUrl\":\"http://media/7.mp3\"");
    EXPECT_TRUE(ListenOnline(results_, TakeRow(results_, 0, SongColumn::kCount), play, Config()));
    EXPECT_EQ(results_.Cell(0, SongColumn::kAddress), "http://media/7.mp3");
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), Gbk("解析成功，播放中"));
    EXPECT_EQ(played, std::vector<Text>{"http://media/7.mp3"});

    const auto seen = server_.RequestsTo(kSongService);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0].target, seen[1].target) << "a fresh time stamp each time";
}

TEST_F(CatalogService, ListenOnlineWritesIntoTheRowItTookEvenAfterTheListChanged) {
    server_.Reply(kSongService, ",\"hcVideoUrl\":\"http://media/1.mp3\"");
    const TakenRow taken = SongRow("1");
    results_.Clear();
    results_.Append("new");
    EXPECT_TRUE(ListenOnline(
        results_, taken, [](const Text&) {}, Config()));
    EXPECT_EQ(results_.Cell(0, SongColumn::kStatus), "") << "the taken row is gone";
    EXPECT_EQ(results_.Cell(0, SongColumn::kAddress), "");
}

TEST_F(CatalogService, ResolvingMvsAppendsTheirQualitiesInOrder) {
    server_.Reply(kMvService,
                  "callback({\"heVideoUrl\":\"http://v/720\",\"hcVideoUrl\":\"\","
                  "\"shVideoUrl\":\"http://v/1080\"})");
    const int32_t first = results_.Append("1");
    results_.SetCell(first, SongColumn::kPageLink, server_.Base() + "/mv/?id=1");
    const int32_t second = results_.Append("2");
    results_.SetCell(second, SongColumn::kPageLink, server_.Base() + "/mv/?id=2");

    EXPECT_EQ(
        ResolveMvRow(results_, TakeRow(results_, first, SongColumn::kCount), qualities_, Config())
            .size(),
        2u);
    server_.Reply(kMvService, "{\"hcVideoUrl\":\"http://v/432\"}");
    (void)ResolveMvRow(results_, TakeRow(results_, second, SongColumn::kCount), qualities_,
                       Config());
    server_.Reply(kMvService, "nothing");
    (void)ResolveMvRow(results_, TakeSelectedRow(results_, SongColumn::kCount), qualities_,
                       Config());

    ASSERT_EQ(qualities_.RowCount(), 3);
    const std::pair<Text, Text> expected[] = {
        {"720p", "http://v/720"}, {"1080p", "http://v/1080"}, {"432p", "http://v/432"}};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(qualities_.Cell(i, MvQualityColumn::kLabel), expected[i].first);
        EXPECT_EQ(qualities_.Cell(i, MvQualityColumn::kAddress), expected[i].second);
    }
    EXPECT_EQ(results_.Cell(first, SongColumn::kStatus), Gbk("解析完成"));
    EXPECT_EQ(results_.Cell(second, SongColumn::kStatus), Gbk("解析完成"));
}

}  // namespace
}  // namespace tunelark
