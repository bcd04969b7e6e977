#pragma once

#include <cstdint>
#include <optional>

namespace tunelark {

class MediaControl;

// The control's "Network" object: what is known about the stream being received. With no
// control, or before media is loaded, every read gives 0.
//
// From mpv: framesSkipped (dropped frames), encodedFrameRate (the container's frames per
// second), frameRate (frames per hundred seconds, as measured), bitRate (audio + video, bits
// per second), downloadProgress (percent of the media cached; 100 for local files),
// bufferingProgress (percent of the cache filled while waiting), bufferingTime (milliseconds
// of media to wait for when the cache runs dry). Counted here: bufferingCount. Kept:
// maxBandwidth. Reading 0, as nothing here measures packets: receptionQuality, lostPackets,
// receivedPackets, recoveredPackets, bandWidth.
class PlayerNetwork final {
public:
    explicit PlayerNetwork(MediaControl* control) : control_(control) {}

    [[nodiscard]] std::int32_t framesSkipped() const;
    [[nodiscard]] std::int32_t encodedFrameRate() const;
    [[nodiscard]] std::int32_t downloadProgress() const;
    std::int32_t maxBandwidth(std::optional<std::int32_t> value = {});
    [[nodiscard]] std::int32_t bitRate() const;
    [[nodiscard]] std::int32_t frameRate() const;
    std::int32_t bufferingTime(std::optional<std::int32_t> value = {});
    [[nodiscard]] std::int32_t bufferingProgress() const;
    [[nodiscard]] std::int32_t bufferingCount() const;
    [[nodiscard]] std::int32_t receptionQuality() const { return 0; }
    [[nodiscard]] std::int32_t lostPackets() const { return 0; }
    [[nodiscard]] std::int32_t receivedPackets() const { return 0; }
    [[nodiscard]] std::int32_t recoveredPackets() const { return 0; }
    [[nodiscard]] std::int32_t bandWidth() const { return 0; }

private:
    [[nodiscard]] std::optional<double> Number(const char* name) const;

    MediaControl* control_;  // not owned; may be null
};

}  // namespace tunelark
