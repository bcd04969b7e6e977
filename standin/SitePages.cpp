#include "standin/SitePages.h"

#include <unicode/ucnv.h>

#include "standin/ServiceReplies.h"
#include "standin/TextEscapes.h"

namespace tunelark::standin {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Tabs(int count) {
    return std::string(static_cast<std::size_t>(count), '\t');
}

std::string Line(int tabs, std::string_view text) {
    return Tabs(tabs) + std::string(text) + std::string(kCrLf);
}

std::string Head(std::string_view title, std::string_view charset) {
    return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" +
           HtmlEscape(charset) + "\">\r\n<title>" + HtmlEscape(title) +
           "</title>\r\n</head>\r\n<body>\r\n";
}

// The title with every occurrence of the keyword (ASCII letters in any case) in <em>.
std::string Emphasised(std::string_view title, std::string_view keyword) {
    std::string out;
    while (!keyword.empty()) {
        const std::size_t at = FindFolded(title, keyword);
        if (at == std::string_view::npos) break;
        out += HtmlEscape(title.substr(0, at)) + "<em>" +
               HtmlEscape(title.substr(at, keyword.size())) + "</em>";
        title.remove_prefix(at + keyword.size());
    }
    return out + HtmlEscape(title);
}

std::string ResultBlock(const Mv& mv, std::string_view keyword) {
    return Line(1, "<div class=\"result c-container\">") +
           Line(4, "<div class=\"c-image page-pic\">") +
           Line(5, "<a href=\"" + MvPagePath(mv) + "\" target=\"_blank\" title=\"" +
                       HtmlEscape(mv.title) + "\">" + HtmlEscape(mv.title) + "</a>") +
           Line(4, "</div>") + Line(4, "<div class=\"c-abstract\">") +
           Line(6, Emphasised(PlainTitle(mv.title), keyword)) + Line(5, "</div>") +
           Line(5, "<div class=\"structure-words-vertical\">") + Line(6, "<span>") +
           Line(7, "<span class=\"preBold\">歌手：</span>" + HtmlEscape(mv.artist)) +
           Line(6, "</span>") + Line(5, "</div>") + Line(1, "</div>");
}

std::string MediaLink(const std::string& path, std::string_view label) {
    return "<li><a href=\"" + path + "\">" + HtmlEscape(label) + "</a></li>\r\n";
}

}  // namespace

std::string MvSearchPage(std::string_view keyword, const std::vector<const Mv*>& mvs,
                         std::string_view charset) {
    std::string page = Head(std::string(keyword) + " - MV", charset) + "<div id=\"results\">\r\n";
    for (const Mv* mv : mvs) page += ResultBlock(*mv, keyword);
    if (mvs.empty()) page += Line(1, "<p class=\"no-result\">没有找到相关的MV</p>");
    return page + "</div>\r\n</body>\r\n</html>\r\n";
}

std::string MvPagePath(const Mv& mv) {
    return "/mv/?id=" + mv.id;
}

std::string MvPage(const Mv* mv, std::string_view charset) {
    if (!mv) return Head("MV", charset) + "<p>没有这个MV</p>\r\n</body>\r\n</html>\r\n";
    std::string links;
    for (const std::string& quality : mv->qualities) {
        links += MediaLink(MvMediaPath(*mv, quality), quality);
    }
    return Head(mv->title, charset) + "<h1>" + HtmlEscape(mv->title) + "</h1>\r\n<p>" +
           HtmlEscape(mv->artist) + "</p>\r\n<ul>\r\n" + links + "</ul>\r\n</body>\r\n</html>\r\n";
}

std::string SongPage(const Song* song, std::string_view charset) {
    if (!song) return Head("Song", charset) + "<p>没有这首歌</p>\r\n</body>\r\n</html>\r\n";
    const std::string title = PlainTitle(song->title);
    return Head(title, charset) + "<h1>" + HtmlEscape(title) + "</h1>\r\n<p>" +
           HtmlEscape(song->artist) + "</p>\r\n<ul>\r\n" + MediaLink(SongMediaPath(*song), "MP3") +
           "</ul>\r\n</body>\r\n</html>\r\n";
}

std::string UpdateDocument(std::string_view version, std::string_view downloadAddress) {
    const std::string utf8 = Head("Tunelark 更新", "gbk") + "<p>【最新版本号】" +
                             std::string(version) + "&amp;</p>\r\n<p>【下载地址】" +
                             std::string(downloadAddress) + "#</p>\r\n</body>\r\n</html>\r\n";
    return EncodePage(utf8, "gbk").value_or(utf8);
}

std::optional<std::string> EncodePage(std::string_view utf8, const std::string& charset) {
    std::string out(4 * utf8.size() + 16, '\0');
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length =
        ucnv_convert(charset.c_str(), "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                     utf8.data(), static_cast<int32_t>(utf8.size()), &error);
    if (U_FAILURE(error)) return std::nullopt;
    out.resize(static_cast<std::size_t>(length));
    return out;
}

}  // namespace tunelark::standin
