#include <gtest/gtest.h>

#include "TestTexts.h"
#include "catalog/FileNames.h"
#include "platform/HostPath.h"

namespace tunelark {
namespace {

using test::Gbk;

TEST(FileNames, SongAndMvPathsAsTheWindowNamesThem) {
    EXPECT_EQ(SongFilePath(Gbk("D:\\音乐下载地址"), "A", Gbk("凉凉")),
              Gbk("D:\\音乐下载地址\\A《凉凉》.MP3"));
    EXPECT_EQ(MvFilePath(Gbk("D:\\音乐下载地址"), "720p", Gbk("凉凉")),
              Gbk("D:\\音乐下载地址\\720p《凉凉》.MP4"));
    // The folder is the user's: a trailing separator doubles, which paths accept.
    EXPECT_EQ(SongFilePath("D:\\x\\", "A", "k"), Gbk("D:\\x\\\\A《k》.MP3"));
}

struct HostileCase {
    const char* name;
    Text piece;
    Text cleaned;
};

TEST(FileNames, PiecesFromTheNetworkAreCleaned) {
    const HostileCase cases[] = {
        {"parent", "..", "__"},
        {"dots only", ".....", "_____"},
        {"dots inside", "a..b", "a..b"},
        {"separators", "../../etc/passwd", ".._.._etc_passwd"},
        {"backslash", "..\\..\\x", ".._.._x"},
        {"forbidden", "a:b*c?d\"e<f>g|h", "a_b_c_d_e_f_g_h"},
        {"control", "a\tb\nc\rd\x7F", "a_b_c_d_"},
        {"trail byte 0x5C kept whole", "\x81\x5C", "\x81\x5C"},  // 乗
        {"trail byte 0x7C kept whole", "\x81\x7C", "\x81\x7C"},  // 亅
        {"broken pair before a slash", "\x81/x", "__x"},
        {"lone lead byte at the end", "ab\xC1", "ab_"},
        {"Chinese", Gbk("张杰"), Gbk("张杰")},
    };
    for (const HostileCase& c : cases) {
        EXPECT_EQ(CleanNamePart(c.piece), c.cleaned) << c.name;
    }
}

TEST(FileNames, NoPieceLeavesTheFolder) {
    const Text folder = "/tmp/tunelark-folder";
    const Text pieces[] = {"..", "../..", "/etc/passwd", "..\\..\\..",  "\x81/..",
                           "",   ".",     "a/../../b",   Text(300, '/')};
    for (const Text& artist : pieces) {
        for (const Text& keyword : pieces) {
            const auto path = HostPath(SongFilePath(folder, artist, keyword));
            EXPECT_EQ(path.parent_path(), HostPath(folder)) << artist << " / " << keyword;
            EXPECT_NE(path.filename(), "..");
        }
    }
}

TEST(FileNames, LongNamesAreCutToWholeCharactersWithinTheLimit) {
    Text longKeyword;
    for (int i = 0; i < 300; ++i) longKeyword += Gbk("凉");
    const Text name = CatalogFileName(Gbk("张杰"), longKeyword, ".MP3");
    const std::string host = GbkToUtf8(name);
    EXPECT_LE(host.size(), kMaxFileNameBytes);
    EXPECT_GT(host.size(), kMaxFileNameBytes - 4) << "cut no further than needed";
    EXPECT_EQ(host.find("\xEF\xBF\xBD"), std::string::npos) << "no broken character";
    EXPECT_TRUE(host.starts_with("张杰《凉凉"));
    EXPECT_TRUE(host.ends_with("》.MP3"));

    const Text both = CatalogFileName(Text(5000, 'a'), Text(5000, 'b'), ".MP4");
    EXPECT_LE(GbkToUtf8(both).size(), kMaxFileNameBytes);
    EXPECT_NE(both.find('a'), Text::npos);
    EXPECT_NE(both.find('b'), Text::npos) << "the longer piece gives way first";
}

}  // namespace
}  // namespace tunelark
