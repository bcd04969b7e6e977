#include "player/MediaState.h"

#include <string>

#include "text/CodePage.h"

namespace tunelark {

std::int32_t PlayStateOf(const MediaState& state) {
    switch (state.phase) {
        case MediaPhase::Empty:
            return kPlayUndefined;
        case MediaPhase::Opening:
            return kPlayTransitioning;
        case MediaPhase::Ended:
        case MediaPhase::Stopped:
            return kPlayStopped;
        case MediaPhase::Failed:
            return kPlayReady;
        case MediaPhase::Loaded:
            break;
    }
    if (state.pausedForCache) return kPlayBuffering;
    if (state.paused) return kPlayPaused;
    return state.scanning ? kPlayScanForward : kPlayPlaying;
}

std::int32_t OpenStateOf(const MediaState& state) {
    switch (state.phase) {
        case MediaPhase::Opening:
            return kOpenMediaOpening;
        case MediaPhase::Loaded:
        case MediaPhase::Ended:
        case MediaPhase::Stopped:
            return kOpenMediaOpen;
        case MediaPhase::Empty:
        case MediaPhase::Failed:
            break;
    }
    return kOpenUndefined;
}

Text StatusOf(const MediaState& state) {
    switch (PlayStateOf(state)) {
        case kPlayTransitioning:
            return Utf8ToGbk("正在打开媒体...");
        case kPlayStopped:
            return Utf8ToGbk(state.phase == MediaPhase::Ended ? "媒体已结束" : "已停止");
        case kPlayReady:
            return Utf8ToGbk("无法播放该媒体");
        case kPlayBuffering:
            return Utf8ToGbk("正在缓冲 (" + std::to_string(state.bufferingPercent) + "%)");
        case kPlayPaused:
            return Utf8ToGbk("已暂停");
        case kPlayPlaying:
            return Utf8ToGbk("正在播放");
        case kPlayScanForward:
            return Utf8ToGbk("快进");
        default:
            break;
    }
    return {};
}

}  // namespace tunelark
