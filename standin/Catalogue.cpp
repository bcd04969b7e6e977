#include "standin/Catalogue.h"

#include <algorithm>
#include <cctype>

namespace tunelark::standin {
namespace {

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Matches(std::string_view keyword, std::string_view title, std::string_view artist) {
    return !keyword.empty() && (FindFolded(PlainTitle(title), keyword) != std::string_view::npos ||
                                FindFolded(artist, keyword) != std::string_view::npos);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

const std::vector<Song>& Songs() {
    static const std::vector<Song> songs = {
        {"228901", "林间雪", "凉凉", 440, 92},
        {"228902", "许南风", "凉凉 (Live)", 494, 88},
        {"228903", "安小满", "凉凉 (钢琴版)", 523, 96},
        {"228904", "林间雪", "凉凉 (伴奏)", 392, 84},
        {"228905", "许南风", "星河", 587, 90},
        {"228906", "安小满", "晚风", 659, 86},
        {"228907", "Nora Vale", "Morning Light", 698, 94},
        {"228908", "Nora Vale", "Paper Boats", 784, 82},
        {"228909", "The Quiet Hours", "Let&nbsp;It&nbsp;Rain", 349, 98},
        {"228910", "Milo Hart", "City Rain", 330, 91},
        {"228911", "北岛乐队", "远方的灯", 294, 87},
        {"228912", "林间雪", "夏夜", 262, 93},
        {"228913", "Milo Hart", "Silver Lining", 880, 85},
    };
    return songs;
}

const std::vector<Mv>& Mvs() {
    static const std::vector<Mv> mvs = {
        {"5001", "林间雪", "凉凉", {"432p", "540p", "720p", "1080p"}, 440},
        {"5002", "许南风", "凉凉 (Live)", {"720p", "1080p"}, 494},
        {"5003", "许南风", "星河", {"432p", "540p"}, 587},
        {"5004", "Nora Vale", "Morning Light", {"432p", "540p", "720p", "1080p"}, 698},
    };
    return mvs;
}

std::vector<const Song*> FindSongs(std::string_view keyword, std::size_t limit) {
    keyword = Trimmed(keyword);
    std::vector<const Song*> found;
    for (const Song& song : Songs()) {
        if (found.size() < limit && Matches(keyword, song.title, song.artist))
            found.push_back(&song);
    }
    return found;
}

std::vector<const Mv*> FindMvs(std::string_view keyword) {
    keyword = Trimmed(keyword);
    std::vector<const Mv*> found;
    for (const Mv& mv : Mvs()) {
        if (Matches(keyword, mv.title, mv.artist)) found.push_back(&mv);
    }
    return found;
}

const Song* SongById(std::string_view id) {
    const auto& songs = Songs();
    const auto found =
        std::find_if(songs.begin(), songs.end(), [&](const Song& song) { return song.id == id; });
    return found == songs.end() ? nullptr : &*found;
}

const Mv* MvById(std::string_view id) {
    const auto& mvs = Mvs();
    const auto found =
        std::find_if(mvs.begin(), mvs.end(), [&](const Mv& mv) { return mv.id == id; });
    return found == mvs.end() ? nullptr : &*found;
}

VideoSize SizeOfQuality(std::string_view label) {
    if (label == "432p") return {768, 432};
    if (label == "540p") return {960, 540};
    if (label == "720p") return {1280, 720};
    if (label == "1080p") return {1920, 1080};
    return {0, 0};
}

std::string PlainTitle(std::string_view title) {
    std::string plain;
    for (std::size_t at = 0; at < title.size();) {
        const std::size_t entity = FindFolded(title.substr(at), "&nbsp;");
        if (entity == std::string_view::npos) {
            plain += title.substr(at);
            break;
        }
        plain.append(title.substr(at, entity)).append(" ");
        at += entity + 6;
    }
    return plain;
}

std::size_t FindFolded(std::string_view text, std::string_view needle) {
    const auto found = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                   [](char a, char b) { return Fold(a) == Fold(b); });
    if (found == text.end() && !needle.empty()) return std::string_view::npos;
    return static_cast<std::size_t>(found - text.begin());
}

}  // namespace tunelark::standin
