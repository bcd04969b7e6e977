#include "player/PlayerOptions.h"

#include <string>

namespace tunelark {

MpvHandle::Options PlayerOptions(std::uint64_t videoWindow) {
    MpvHandle::Options options = {
        {"idle", "yes"},
        {"terminal", "no"},
        {"ytdl", "no"},
        {"input-default-bindings", "yes"},
        {"input-cursor", "no"},
        {"input-vo-keyboard", "no"},
        // A position written is where playback goes, not the key frame before it.
        {"hr-seek", "yes"},
        // Without a sound device a song still plays (silently), as a video does.
        {"audio-fallback-to-null", "yes"},
        // mpv's command console would let a key press run programs and write files.
        {"load-osd-console", "no"},
    };
    if (videoWindow == 0) {
        options.insert(options.end(), {{"vo", "null"}, {"ao", "null"}});
    } else {
        // gpu alone fails on a software renderer; x11 is the fallback that always opens.
        // force-window keeps the window, and so the controller, for audio-only media too.
        options.insert(options.end(), {{"wid", std::to_string(videoWindow)},
                                       {"vo", "gpu,x11"},
                                       // Two players probing Vulkan at once crash on a
                                       // software renderer; OpenGL is probed safely.
                                       {"gpu-api", "opengl"},
                                       {"osc", "yes"},
                                       // No logo inviting drops, no window buttons (close
                                       // would end the embedded player).
                                       {"script-opts", "osc-idlescreen=no,osc-windowcontrols=no"},
                                       {"force-window", "yes"}});
    }
    return options;
}

}  // namespace tunelark
