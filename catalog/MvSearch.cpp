#include "catalog/MvSearch.h"

#include "catalog/KeywordQuery.h"
#include "net/WebRequest.h"
#include "text/PatternMatcher.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

Text Tabs(size_t count) {
    return Text(count, '\t');
}

}  // namespace

const Text& MvAbstractPattern() {
    static const Text pattern = Text("<div class=\"c-abstract\">\r\n") + Tabs(6) + "(.*?)\r\n" +
                                Tabs(5) + "</div>\r\n" + Tabs(5) +
                                "<div class=\"structure-words-vertical\">\r\n" + Tabs(6) +
                                "<span>\r\n" + Tabs(7) +
                                "<span class=\"preBold\">"
                                "\xB8\xE8\xCA\xD6\xA3\xBA"  // 歌手：
                                "</span>(.*?)\r\n" +
                                Tabs(6) + "</span>";
    return pattern;
}

const Text& MvLinkPattern() {
    static const Text pattern = Text("<div class=\"c-image page-pic\">\r\n") + Tabs(5) +
                                "<a href=\"(.*?)\" target=\"_blank\"";
    return pattern;
}

Text MvSearchAddress(const Text& keyword, const std::string& mvBase) {
    return mvBase + "/so?q=" + KeywordQueryValue(keyword) + "&nsid=3";
}

std::vector<FoundRow> ParseMvSearchPage(const Text& page, const std::string& mvBase) {
    PatternMatcher abstracts;
    PatternMatcher links;
    abstracts.Search(MvAbstractPattern(), page);
    links.Search(MvLinkPattern(), page);

    std::vector<FoundRow> rows;
    const int32_t count = abstracts.MatchCount();
    rows.reserve(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        rows.push_back(
            MakeFoundRow(i, abstracts.CaptureText(i, 2),
                         ReplaceMany(abstracts.CaptureText(i, 1), {{"<em>", ""}, {"</em>", ""}}),
                         mvBase + links.CaptureText(i, 1)));
    }
    return rows;
}

std::vector<FoundRow> FetchMvSearch(const Text& keyword, const ServiceConfig& services) {
    return ParseMvSearchPage(WebRequest(MvSearchAddress(keyword, services.mvBase)),
                             services.mvBase);
}

}  // namespace tunelark
