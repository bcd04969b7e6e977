#pragma once

#include <cstdint>
#include <optional>

#include "text/Text.h"

namespace tunelark {

class MediaControl;

// The control's "CurrentMedia" object: the media of the address last written, read while it
// is loaded. With no control or no loaded media every read gives 0/empty.
//
// Attributes: "Title", "SourceURL", "Duration" (seconds) and "FileSize" (bytes) come from
// the player; any other name is looked up in the media's own tags ("Author" as "artist").
// An atom is an attribute's index: the four above first, then the media's tags in their order.
// setItemInfo keeps a value for the current media only; it wins over what the media says.
class PlayerMedia final {
public:
    explicit PlayerMedia(MediaControl* control) : control_(control) {}

    [[nodiscard]] Text getItemInfo(const Text& attribute) const;
    void setItemInfo(const Text& attribute, const Text& value);
    [[nodiscard]] Text getItemInfoByAtom(std::int32_t atom) const;
    [[nodiscard]] std::int32_t attributeCount() const;
    [[nodiscard]] Text durationString() const;
    [[nodiscard]] std::int32_t duration() const;     // whole seconds, truncated
    [[nodiscard]] std::int32_t markerCount() const;  // chapters
    [[nodiscard]] std::int32_t imageSourceHeight() const;
    [[nodiscard]] std::int32_t imageSourceWidth() const;
    [[nodiscard]] Text name() const;
    [[nodiscard]] Text sourceURL() const;

private:
    // The control while its media is loaded, else nullptr.
    [[nodiscard]] MediaControl* Loaded() const;
    [[nodiscard]] std::optional<double> Number(const char* name) const;
    [[nodiscard]] Text PlayerAttribute(const Text& lowerName) const;
    [[nodiscard]] Text Utf8Property(const std::string& name) const;

    MediaControl* control_;  // not owned; may be null
};

}  // namespace tunelark
