#include "catalog/MusicSearch.h"

#include "catalog/KeywordQuery.h"
#include "net/WebRequest.h"
#include "text/PatternMatcher.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

constexpr const char* kQueryTail =
    "&ft=music&client=kt&cluster=0&rn=10&rformat=json&callback=searchMusicResult&encoding=utf8"
    "&vipver=MUSIC_8.0.3.1&";

}  // namespace

Text MusicSearchAddress(const Text& keyword, const std::string& musicBase) {
    return musicBase + "/r.s?all=" + KeywordQueryValue(keyword) + kQueryTail;
}

std::vector<FoundRow> ParseMusicSearchReply(const Text& reply, const std::string& mvBase) {
    const Text decoded = UrlDecode(reply, true);
    PatternMatcher songIds;
    PatternMatcher details;
    songIds.Search(kSongIdPattern, decoded);
    details.Search(kDetailsPattern, decoded);

    std::vector<FoundRow> rows;
    const int32_t count = songIds.MatchCount();
    rows.reserve(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        rows.push_back(MakeFoundRow(i, details.CaptureText(i, 1),
                                    ReplaceMany(details.CaptureText(i, 3), {{"&nbsp;", " "}}),
                                    mvBase + "/tool/song/?kwid=" + songIds.CaptureText(i, 1)));
    }
    return rows;
}

std::vector<FoundRow> FetchMusicSearch(const Text& keyword, const ServiceConfig& services) {
    const Text reply = WebRequest(MusicSearchAddress(keyword, services.musicBase));
    return ParseMusicSearchReply(reply, services.mvBase);
}

}  // namespace tunelark
