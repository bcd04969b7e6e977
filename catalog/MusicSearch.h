#pragma once

#include <string>
#include <vector>

#include "catalog/SearchSession.h"
#include "platform/ServiceConfig.h"
#include "text/Text.h"

namespace tunelark {

// The patterns a music search reply is read with, once percent-decoded: capture 1 of the first
// is a song id; the second's captures 1 and 3 are the artist and the title.
inline constexpr const char* kSongIdPattern = "'MP3RID':'MP3_(.*?)'";
inline constexpr const char* kDetailsPattern = "'ARTIST':'(.*?)','ALIAS':'','(.*?)'ALBUM':'(.*?)'";

// The music search service's address for a keyword (as a query value, KeywordQueryValue).
[[nodiscard]] Text MusicSearchAddress(const Text& keyword, const std::string& musicBase);

// The rows a music search reply (still percent-escaped UTF-8) yields: number, artist, title and
// the song's page link on the MV site. One row per song id; artist and title pair with ids by
// position and are empty where the reply has fewer of them.
[[nodiscard]] std::vector<FoundRow> ParseMusicSearchReply(const Text& reply,
                                                          const std::string& mvBase);

// Requests and parses; blocks for the whole exchange. No rows when anything fails.
[[nodiscard]] std::vector<FoundRow> FetchMusicSearch(const Text& keyword,
                                                     const ServiceConfig& services);

}  // namespace tunelark
