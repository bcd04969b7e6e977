#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/MusicSearch.h"
#include "catalog/MvAddresses.h"
#include "catalog/MvSearch.h"
#include "catalog/SongAddress.h"
#include "net/RequestFailure.h"
#include "net/WebRequest.h"
#include "tests/standin/StandInProcess.h"
#include "text/CodePage.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

using test::StandInProcess;

constexpr const char* kSong = "/media/song/228901.mp3";

// One exchange with every output kept.
struct Exchange {
    Text text;
    Text status;
    Text headers;
    Text cookies;
    std::string bytes;
};

Exchange Fetch(const std::string& address, WebRequestOptions options = {}) {
    Exchange exchange;
    exchange.text = WebRequest(address, options,
                               {.replyCookies = &exchange.cookies,
                                .replyHeaders = &exchange.headers,
                                .status = &exchange.status,
                                .replyBytes = &exchange.bytes});
    return exchange;
}

Exchange FetchRange(const std::string& address, const std::string& range) {
    WebRequestOptions options;
    options.extraHeaders = "Range:bytes=" + range;  // written as the downloader writes it
    return Fetch(address, options);
}

bool HasHeader(const Exchange& exchange, const std::string& line) {
    return exchange.headers.find("\r\n" + line + "\r\n") != std::string::npos;
}

class StandInService : public testing::Test {
protected:
    static void SetUpTestSuite() {
        standIn_ = std::make_unique<StandInProcess>();
        ASSERT_FALSE(standIn_->Base().empty()) << "tunelark-standin did not start";
        services_ = ServiceConfig{Base(), Base(), Base(), Base() + "/probe"};
        song_ = Fetch(Base() + kSong).bytes;
    }
    static void TearDownTestSuite() { standIn_.reset(); }

    static std::string Base() { return standIn_->Base(); }

    static std::unique_ptr<StandInProcess> standIn_;
    static ServiceConfig services_;
    static std::string song_;  // the whole song as served
};

std::unique_ptr<StandInProcess> StandInService::standIn_;
ServiceConfig StandInService::services_;
std::string StandInService::song_;

TEST_F(StandInService, AnswersTheConnectivityCheck) {
    EXPECT_EQ(Fetch(Base() + "/probe").status, "200 OK");
}

TEST_F(StandInService, MusicSearchAsTheClientReadsIt) {
    const auto rows = FetchMusicSearch(Utf8ToGbk("凉凉"), services_);
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(GbkToUtf8(rows[0][1]), "林间雪");
    EXPECT_EQ(GbkToUtf8(rows[0][2]), "凉凉");
    EXPECT_EQ(rows[0][3], Base() + "/tool/song/?kwid=228901");
    EXPECT_TRUE(FetchMusicSearch(Utf8ToGbk("没有这首歌"), services_).empty());
}

TEST_F(StandInService, MvSearchAsTheClientReadsIt) {
    const auto rows = FetchMvSearch(Utf8ToGbk("凉凉"), services_);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(GbkToUtf8(rows[1][1]), "许南风");
    EXPECT_EQ(GbkToUtf8(rows[1][2]), "凉凉 (Live)");
    EXPECT_EQ(rows[1][3], Base() + "/mv/?id=5002");
    // The same page in GBK, declared so, reads the same; the UTF-8 page was converted.
    const Exchange gbk = Fetch(Base() + "/so?q=%E5%87%89%E5%87%89&nsid=3&charset=gbk");
    EXPECT_NE(gbk.bytes.find("\xC1\xB9\xC1\xB9"), std::string::npos);  // 凉凉 in GBK
    EXPECT_EQ(ParseMvSearchPage(gbk.text, Base()).size(), 2u);
    EXPECT_EQ(Fetch(Base() + "/mv/?id=5002").status, "200 OK");
}

TEST_F(StandInService, SongAddressLeadsToTheSong) {
    const Text address = ResolveSongAddress(Base() + "/tool/song/?kwid=228901", services_);
    EXPECT_EQ(address, Base() + kSong);
    EXPECT_EQ(ResolveSongAddress(Base() + "/tool/song/?kwid=1", services_), "");
    EXPECT_GE(song_.size(), 3'000'000u);
    EXPECT_LE(song_.size(), 4'194'304u);
    EXPECT_TRUE(song_.starts_with("ID3") || song_.starts_with("\xFF\xFB"));
}

TEST_F(StandInService, MvAddressesLeadToTheVideos) {
    const auto two = ResolveMvAddresses(Base() + "/mv/?id=5002", services_);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].label, "720p");
    EXPECT_EQ(ResolveMvAddresses(Base() + "/mv/?id=5001", services_).size(), 4u);
    EXPECT_TRUE(ResolveMvAddresses(Base() + "/mv/?id=9", services_).empty());
    const Exchange video =
        Fetch(ResolveMvAddresses(Base() + "/mv/?id=5003", services_).at(0).address);
    EXPECT_EQ(video.status, "200 OK");
    EXPECT_GE(video.bytes.size(), 5'000'000u);
    EXPECT_EQ(video.bytes.substr(4, 4), "ftyp");
    EXPECT_TRUE(HasHeader(video, "Content-Type: video/mp4"));
}

TEST_F(StandInService, ServesTheMediaWithLengthLocationAndRanges) {
    const Exchange whole = Fetch(Base() + kSong);
    EXPECT_TRUE(HasHeader(whole, "Content-Length: " + std::to_string(song_.size())));
    EXPECT_TRUE(HasHeader(whole, "Accept-Ranges: bytes"));
    EXPECT_TRUE(HasHeader(whole, "Content-Location: " + std::string(kSong)));

    const Exchange second = FetchRange(Base() + kSong, "1048576-2097151");
    EXPECT_EQ(second.status, "206 Partial Content");
    EXPECT_TRUE(
        HasHeader(second, "Content-Range: bytes 1048576-2097151/" + std::to_string(song_.size())));
    EXPECT_EQ(second.bytes, song_.substr(1048576, 1048576));

    const Exchange last = FetchRange(Base() + kSong, "3145728-4194303");
    EXPECT_EQ(last.bytes, song_.substr(3145728));
    EXPECT_EQ(FetchRange(Base() + kSong, "9999999-").status, "416 Range Not Satisfiable");

    WebRequestOptions head;
    head.method = 2;
    const Exchange probe = Fetch(Base() + kSong, head);
    EXPECT_TRUE(HasHeader(probe, "Content-Length: " + std::to_string(song_.size())));
    EXPECT_EQ(probe.bytes, "");
}

struct SwitchCase {
    const char* query;
    const char* range;  // "" for none
    int timeoutSeconds;
    std::string status;
    std::optional<std::size_t> from;  // the body is song_ from here
    std::optional<std::size_t> length;
};

TEST_F(StandInService, MediaFaultSwitchesDoWhatTheySay) {
    const std::string cut = FailureText(RequestFailure::kRead);
    const std::string noReply = FailureText(RequestFailure::kNoReply);
    const SwitchCase cases[] = {
        {"drop=1000", "", 0, cut, 0, 1000},
        {"drop=1000", "100-", 0, cut, 100, 1000},
        {"overlength=10", "0-99", 0, cut, 0, 100},
        {"norange=1", "0-99", 0, "200 OK", 0, std::nullopt},
        {"nolength=1", "", 0, "200 OK", 0, std::nullopt},
        {"status=404", "", 0, "404 Not Found", std::nullopt, std::nullopt},
        {"status=500", "", 0, "500 Internal Server Error", std::nullopt, std::nullopt},
        {"redirect=3", "0-9", 0, "206 Partial Content", 0, 10},
        {"redirect=loop", "", 0, noReply, std::nullopt, std::nullopt},
        {"stall=3000", "", 1, noReply, std::nullopt, std::nullopt},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(std::string(c.query) + " " + c.range);
        WebRequestOptions options;
        options.timeoutSeconds = c.timeoutSeconds;
        if (*c.range) options.extraHeaders = std::string("Range: bytes=") + c.range;
        const Exchange exchange = Fetch(Base() + kSong + "?" + c.query, options);
        EXPECT_EQ(exchange.status, c.status);
        if (c.from) {
            EXPECT_EQ(exchange.bytes, song_.substr(*c.from, c.length.value_or(std::string::npos)));
        }
    }
    const Exchange chunked = Fetch(Base() + kSong + "?nolength=1");
    EXPECT_TRUE(HasHeader(chunked, "Transfer-Encoding: chunked"));
    EXPECT_EQ(chunked.headers.find("Content-Length"), std::string::npos);
}

TEST_F(StandInService, SwitchesWorkOnEveryReply) {
    const Exchange cookies = Fetch(Base() + "/probe?setcookie=sid%3D1&setcookie=x%3D2");
    EXPECT_EQ(cookies.cookies, "sid=1; x=2");
    WebRequestOptions noRedirects;
    noRedirects.noRedirects = true;
    const Exchange moved = Fetch(Base() + "/probe?redirect=2", noRedirects);
    EXPECT_EQ(moved.status, "302 Found");
    EXPECT_TRUE(HasHeader(moved, "Location: /probe?redirect=1"));
}

TEST_F(StandInService, ServerWideMediaSwitchesApplyUntilCleared) {
    EXPECT_EQ(Fetch(Base() + "/control/media-faults?drop=10").status, "200 OK");
    const Exchange dropped = Fetch(Base() + kSong);
    EXPECT_EQ(Fetch(Base() + "/control/media-faults").status, "200 OK");
    EXPECT_EQ(dropped.bytes, song_.substr(0, 10));
    EXPECT_EQ(Fetch(Base() + kSong).bytes, song_);
}

Text UpdateVersion(const std::string& address) {
    return TextBetween(Fetch(address).bytes, Utf8ToGbk("【最新版本号】"), "&");
}

TEST_F(StandInService, UpdateDocumentNamesTheVersionItIsGiven) {
    const std::string document = Base() + "/software/music/music.php";
    EXPECT_EQ(UpdateVersion(document), "1.0.0");
    EXPECT_EQ(TextBetween(Fetch(document).bytes, Utf8ToGbk("【下载地址】"), "#"),
              Base() + "/software/music/download.html");
    EXPECT_EQ(UpdateVersion(document + "?version=1.0.1"), "1.0.1");
    (void)Fetch(Base() + "/control/update-version?value=2.0");
    EXPECT_EQ(UpdateVersion(document), "2.0");
    (void)Fetch(Base() + "/control/update-version?value=1.0.0");
}

TEST(StandInProgram, TakesTheUpdateVersionFromItsCommandLine) {
    StandInProcess standIn({"--update-version", "1.0.1"});
    ASSERT_FALSE(standIn.Base().empty());
    EXPECT_EQ(UpdateVersion(standIn.Base() + "/software/music/music.php"), "1.0.1");
}

TEST(StandInProgram, RefusesToListenBeyondLoopback) {
    StandInProcess standIn({"--host", "0.0.0.0"});
    EXPECT_TRUE(standIn.Base().empty());
}

}  // namespace
}  // namespace tunelark
