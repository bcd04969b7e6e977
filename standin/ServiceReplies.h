#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "standin/Catalogue.h"

namespace tunelark::standin {

// Where the media of a catalogue entry is served, relative to the server's base.
[[nodiscard]] std::string SongMediaPath(const Song& song);
[[nodiscard]] std::string MvMediaPath(const Mv& mv, std::string_view quality);

// The music search service's script reply: one record per song, with the song id as
// 'MP3RID':'MP3_<id>' and the artist and the shown title in the record's
// 'ARTIST':'…','ALIAS':'',…'ALBUM':'…' fields; values percent-escaped UTF-8.
[[nodiscard]] std::string MusicSearchReply(const std::vector<const Song*>& songs,
                                           std::string_view callback);

// The song address service's script reply; the media address follows ,"hcVideoUrl":" up to the
// next quote. An unknown song (nullptr) is answered without the field.
[[nodiscard]] std::string SongAddressReply(const Song* song, std::string_view base,
                                           std::string_view callback);

// The MV address service's script reply: one field per quality the MV has (hcVideoUrl 432p,
// hdVideoUrl 540p, heVideoUrl 720p, shVideoUrl 1080p). An unknown MV has none.
[[nodiscard]] std::string MvAddressReply(const Mv* mv, std::string_view base,
                                         std::string_view callback);

}  // namespace tunelark::standin
