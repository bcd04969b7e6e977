#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tunelark::standin {

// The stand-in's built-in catalogue. Texts are UTF-8. Titles may hold "&nbsp;", as the music
// service's titles do.
struct Song {
    std::string id;  // the "kwid" of the song address service
    std::string artist;
    std::string title;
    int toneHz;   // the pitch of the generated audio
    int seconds;  // its length: 320 kbit/s for 80-100 s gives 3-4 MB
};

struct Mv {
    std::string id;  // the "videoId" of the MV address service
    std::string artist;
    std::string title;
    std::vector<std::string> qualities;  // labels out of 432p, 540p, 720p, 1080p
    int toneHz;
};

struct VideoSize {
    int width;
    int height;
};

[[nodiscard]] const std::vector<Song>& Songs();
[[nodiscard]] const std::vector<Mv>& Mvs();

// The catalogue entries whose title or artist contains the keyword (ASCII letters in any case;
// "&nbsp;" in a title counts as a space). An empty keyword finds nothing.
[[nodiscard]] std::vector<const Song*> FindSongs(std::string_view keyword, std::size_t limit);
[[nodiscard]] std::vector<const Mv*> FindMvs(std::string_view keyword);

[[nodiscard]] const Song* SongById(std::string_view id);
[[nodiscard]] const Mv* MvById(std::string_view id);

// The frame size of a quality label; 0x0 for a label that is not one of the four.
[[nodiscard]] VideoSize SizeOfQuality(std::string_view label);

// A title as a page shows it: every "&nbsp;" (any case) as a space.
[[nodiscard]] std::string PlainTitle(std::string_view title);

// Offset of needle in text, comparing ASCII letters without case; npos when absent.
[[nodiscard]] std::size_t FindFolded(std::string_view text, std::string_view needle);

}  // namespace tunelark::standin
