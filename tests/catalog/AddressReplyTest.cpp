#include <gtest/gtest.h>

#include "catalog/AddressRequest.h"
#include "catalog/MvAddresses.h"
#include "catalog/SongAddress.h"

namespace tunelark {
namespace {

constexpr const char* kAgentLine =
    "User-Agent:Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/55.0.2883.87 Safari/537.36";

TEST(AddressRequests, AddressAndHeaderLinesAsTheServicesExpect) {
    const AddressRequest song =
        SongAddressRequest("http://b/tool/song/?kwid=1&kwid=228908", "http://b", "1234567890123");
    EXPECT_EQ(song.address,
              "http://b/tool/song/ajax/api.php?callback=callback&kwId=228908&_=1234567890123");
    EXPECT_EQ(song.extraHeaders,
              std::string(kAgentLine) + "\r\nReferer:http://b/tool/song/?kwid=228908");

    const AddressRequest mv = MvAddressRequest("http://b/mv/?id=5001", "http://b", "1234567890123");
    EXPECT_EQ(mv.address,
              "http://b/tool/jiexi/ajax/ajax.php?callback=callback&videoId=5001&_=1234567890123");
    EXPECT_EQ(mv.extraHeaders,
              std::string(kAgentLine) + "\r\nReferer:http://b/tool/jiexi/?id=5001");

    // An id from a reply cannot start a header line of its own.
    EXPECT_EQ(SongAddressRequest("x?kwid=1\r\nX-Evil: 1", "http://b", "1").extraHeaders,
              std::string(kAgentLine) + "\r\nReferer:http://b/tool/song/?kwid=1X-Evil: 1");
    EXPECT_EQ(IdAfterLast("no marker here", "kwid="), "");
}

TEST(AddressReplies, OnlyWebAddressesAreTaken) {
    const std::pair<std::string, std::string> cases[] = {
        {"http://m/a.mp3", "http://m/a.mp3"},
        {"HTTPS://m/a.mp3", "HTTPS://m/a.mp3"},
        {"file:///etc/passwd", ""},
        {"av://v4l2:/dev/video0", ""},
        {"/media/a.mp3", ""},
        {"", ""},
    };
    for (const auto& [address, expected] : cases) {
        EXPECT_EQ(ParseSongAddressReply("cb({\"x\":1,\"hcVideoUrl\":\"" + address + "\"})"),
                  expected)
            << address;
    }
    const auto found = ParseMvAddressReply(
        "{\"hcVideoUrl\":\"file:///etc/passwd\",\"hdVideoUrl\":\"\",\"heVideoUrl\":\"http://v/"
        "720\"}");
    EXPECT_EQ(found, (std::vector<MvQuality>{{"720p", "http://v/720"}}));
}

}  // namespace
}  // namespace tunelark
