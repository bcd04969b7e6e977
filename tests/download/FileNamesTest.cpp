#include <gtest/gtest.h>

#include "download/FileNameFromServer.h"
#include "download/FileNames.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestServer.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

TEST(FileNameFromAddress, TakesTheLastComponentBeforeTheQuery) {
    const struct {
        Text address;
        Text name;
    } cases[] = {
        {"http://host/a/b/song.mp3", "song.mp3"},
        {"http://host/a/song.mp3?x=1&y=/z", "song.mp3"},
        {"C:\\dir\\file.mp4", "file.mp4"},
        {"http://host/dir/", ""},
        {"plain", "plain"},
        {"http://host/?only=query", ""},
        // The second byte of a GBK character (0x5C) is no separator.
        {"http://host/x/\x95\x5c.mp3", "\x95\x5c.mp3"},
        // After a byte that starts no character (0xCC before "/", 0x80) the "/" still separates:
        // the host reads it so.
        {"http://host/x\xcc/..\xcc/etc", "etc"},
        {"a\x80/b", "b"},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameFromAddress(c.address), c.name) << c.address;
}

TEST(SafeFileName, HostileNamesStayInsideTheFolder) {
    const struct {
        Text name;
        Text safe;
    } cases[] = {
        {"song.mp3", "song.mp3"},
        {"..", "download"},
        {".", "download"},
        {"", "download"},
        {"... ", "download"},
        {"/etc/passwd", "_etc_passwd"},
        {"dir\\file", "dir_file"},
        {"a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
        {"tab\there\x7f", "tab_here_"},
        {"..\\..\\x", ".._.._x"},
        {"\xb8\xe8.mp3", "\xb8\xe8.mp3"},  // 歌.mp3 is kept whole
        // A stray lead byte does not hide the separator after it.
        {"\xcc/..\xcc/x", "\xcc_..\xcc_x"},
        {"\x81\\x", "\x81\\x"},  // 0x81 0x5C is one character
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SafeFileName(c.name), c.safe) << c.name;
        EXPECT_EQ(GbkToUtf8(SafeFileName(c.name)).find('/'), std::string::npos) << c.name;
    }
}

TEST(SafeFileName, LongNamesAreCutWithoutSplittingACharacter) {
    const Text ascii(400, 'a');
    EXPECT_EQ(SafeFileName(ascii).size(), 240u);
    Text wide;
    for (int i = 0; i < 200; ++i) wide += "\xb8\xe8";  // 歌, three bytes on the host
    const Text cut = SafeFileName(wide);
    EXPECT_EQ(cut.size(), 160u);  // 80 characters, 240 host bytes
    EXPECT_LE(GbkToUtf8(cut).size(), 240u);
}

TEST(HasExtension, LooksOnlyAtTheLastComponent) {
    EXPECT_TRUE(HasExtension("D:\\dir\\a.mp3"));
    EXPECT_TRUE(HasExtension("/home/u/.hidden"));
    EXPECT_FALSE(HasExtension("D:\\dir.d\\folder"));
    EXPECT_FALSE(HasExtension("/tmp/a.b/c"));
    EXPECT_FALSE(HasExtension("D:\\a. b"));
    EXPECT_FALSE(HasExtension(""));
}

class ResolveTargetPathTest : public ::testing::Test {
protected:
    test::TestServer server_{"body"};
};

TEST_F(ResolveTargetPathTest, AFolderGetsTheServersNameOrTheAddresssName) {
    Text folder = "/srv/music";
    ResolveTargetPath(server_.Url("/dir/track.mp3?sig=1"), folder);
    EXPECT_EQ(folder, "/srv/music\\track.mp3");

    server_.SetFaults({.contentLocation = "/media/from-server.mp3"});
    Text slashEnded = "D:\\down\\";
    ResolveTargetPath(server_.Url("/dir/track.mp3"), slashEnded);
    EXPECT_EQ(slashEnded, "D:\\down\\from-server.mp3");
}

TEST_F(ResolveTargetPathTest, HostileServerNamesAreCleaned) {
    server_.SetFaults({.contentLocation = "/x/.."});
    Text folder = "/srv/music/";
    ResolveTargetPath(server_.Url("/file.bin"), folder);
    EXPECT_EQ(folder, "/srv/music/download");

    Text empty;  // stays relative, never the root folder
    ResolveTargetPath(server_.Url("/file.bin"), empty);
    EXPECT_EQ(empty, "download");
}

TEST_F(ResolveTargetPathTest, APathWithAnExtensionIsKept) {
    Text path = "D:\\down\\a.mp3";
    ResolveTargetPath(server_.Url("/dir/other.mp4"), path);
    EXPECT_EQ(path, "D:\\down\\a.mp3");
    EXPECT_TRUE(server_.RangeHeaders().empty()) << "no name probe for a full path";
}

TEST_F(ResolveTargetPathTest, RedirectsAreNotFollowedForTheName) {
    server_.SetFaults({.contentLocation = "/media/from-server.mp3"});  // only after the redirect
    Text folder = "/srv";
    ResolveTargetPath(server_.Url("/redirect/target.mp3"), folder);
    EXPECT_EQ(folder, "/srv\\target.mp3");
    EXPECT_TRUE(server_.RangeHeaders().empty()) << "the redirect's target was not asked for";
}

}  // namespace
}  // namespace tunelark
