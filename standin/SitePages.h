#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/Catalogue.h"

namespace tunelark::standin {

// The MV site's search page (UTF-8, declaring charset): one result block per MV, laid out with
// CR LF line ends and tab indentation, the keyword wrapped in <em> in the titles, each block
// linking to the MV's page.
[[nodiscard]] std::string MvSearchPage(std::string_view keyword, const std::vector<const Mv*>& mvs,
                                       std::string_view charset);

// The page an MV's search result links to, and the page of a song's link; both link the media.
[[nodiscard]] std::string MvPagePath(const Mv& mv);
[[nodiscard]] std::string MvPage(const Mv* mv, std::string_view charset);
[[nodiscard]] std::string SongPage(const Song* song, std::string_view charset);

// The update document in GBK: the version after 【最新版本号】 up to "&", the download address
// after 【下载地址】 up to "#".
[[nodiscard]] std::string UpdateDocument(std::string_view version,
                                         std::string_view downloadAddress);

// A UTF-8 page re-encoded in the named charset; nullopt when the charset is unknown.
[[nodiscard]] std::optional<std::string> EncodePage(std::string_view utf8,
                                                    const std::string& charset);

}  // namespace tunelark::standin
