#include "standin/ServiceReplies.h"

#include "standin/TextEscapes.h"

namespace tunelark::standin {
namespace {

struct QualityField {
    std::string_view label;
    std::string_view field;
};

constexpr QualityField kQualityFields[] = {
    {"432p", "hcVideoUrl"},
    {"540p", "hdVideoUrl"},
    {"720p", "heVideoUrl"},
    {"1080p", "shVideoUrl"},
};

std::string MusicRecord(const Song& song) {
    const std::string artist = PercentEscape(song.artist);
    const std::string title = PercentEscape(song.title);
    // The client shows the ALBUM field as the title.
    return "{'ARTIST':'" + artist + "','ALIAS':'','NAME':'" + title + "','ALBUM':'" + title +
           "','MP3RID':'MP3_" + song.id + "','DURATION':'" + std::to_string(song.seconds) +
           "','FORMATS':'MP3128|MP3320'}";
}

std::string NotFound(std::string_view callback) {
    return std::string(callback) + "({\"code\":404,\"msg\":\"not found\",\"data\":null})";
}

}  // namespace

std::string SongMediaPath(const Song& song) {
    return "/media/song/" + song.id + ".mp3";
}

std::string MvMediaPath(const Mv& mv, std::string_view quality) {
    return "/media/mv/" + mv.id + "/" + std::string(quality) + ".mp4";
}

std::string MusicSearchReply(const std::vector<const Song*>& songs, std::string_view callback) {
    std::string records;
    for (const Song* song : songs) {
        if (!records.empty()) records += ",";
        records += MusicRecord(*song);
    }
    const std::string total = std::to_string(songs.size());
    return "try{var jsondata={'TOTAL':'" + total + "','SHOW':'" + total + "','abslist':[" +
           records + "]};" + std::string(callback) + "(jsondata);}catch(e){jsonError(e)}";
}

std::string SongAddressReply(const Song* song, std::string_view base, std::string_view callback) {
    if (!song) return NotFound(callback);
    return std::string(callback) + "({\"code\":200,\"msg\":\"success\",\"data\":{\"kwId\":\"" +
           song->id + "\",\"name\":\"" + JsonEscape(PlainTitle(song->title)) + "\",\"artist\":\"" +
           JsonEscape(song->artist) + "\",\"hcVideoUrl\":\"" + std::string(base) +
           SongMediaPath(*song) + "\",\"format\":\"mp3\"}})";
}

std::string MvAddressReply(const Mv* mv, std::string_view base, std::string_view callback) {
    if (!mv) return NotFound(callback);
    std::string fields;
    for (const QualityField& quality : kQualityFields) {
        for (const std::string& label : mv->qualities) {
            if (label != quality.label) continue;
            fields += ",\"" + std::string(quality.field) + "\":\"" + std::string(base) +
                      MvMediaPath(*mv, label) + "\"";
        }
    }
    return std::string(callback) + "({\"code\":200,\"msg\":\"success\",\"data\":{\"videoId\":\"" +
           mv->id + "\",\"title\":\"" + JsonEscape(mv->title) + "\",\"artist\":\"" +
           JsonEscape(mv->artist) + "\"" + fields + "}})";
}

}  // namespace tunelark::standin
