#include "player/PlayerMedia.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string>

#include "player/ClockText.h"
#include "player/MediaControl.h"
#include "player/PlayerNumbers.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr std::array<const char*, 4> kPlayerAttributes = {"Title", "SourceURL", "Duration",
                                                          "FileSize"};

Text Lower(Text text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    });
    return text;
}

Text NumberText(std::optional<double> value) {
    if (!value) return {};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", *value);
    return buffer;
}

}  // namespace

Text PlayerMedia::Utf8Property(const std::string& name) const {
    const auto value = control_->Mpv().GetString(name.c_str());
    return value ? Utf8ToGbk(*value) : Text{};
}

Text PlayerMedia::PlayerAttribute(const Text& lowerName) const {
    if (lowerName == "title") return name();
    if (lowerName == "sourceurl") return sourceURL();
    if (lowerName == "duration") return NumberText(Number("duration"));
    if (lowerName == "filesize") {
        const auto size = control_->Mpv().GetInt("file-size");
        return size ? std::to_string(*size) : Text{};
    }
    const Text key = lowerName == "author" ? "artist" : lowerName;
    // A tag name from outside never reaches mpv as anything but a key of the tag list.
    if (key.empty() || key.find('/') != Text::npos) return {};
    return Utf8Property("metadata/by-key/" + GbkToUtf8(key));
}

MediaControl* PlayerMedia::Loaded() const {
    return control_ && control_->State().phase == MediaPhase::Loaded ? control_ : nullptr;
}

Text PlayerMedia::getItemInfo(const Text& attribute) const {
    if (!Loaded()) return {};
    const Text lowerName = Lower(attribute);
    const auto& kept = control_->Kept().itemInfo;
    if (const auto found = kept.find(lowerName); found != kept.end()) return found->second;
    return PlayerAttribute(lowerName);
}

void PlayerMedia::setItemInfo(const Text& attribute, const Text& value) {
    if (!Loaded() || attribute.empty()) return;
    control_->Kept().itemInfo[Lower(attribute)] = value;
}

Text PlayerMedia::getItemInfoByAtom(std::int32_t atom) const {
    if (atom < 0 || atom >= attributeCount()) return {};
    const auto index = static_cast<std::size_t>(atom);
    if (index < kPlayerAttributes.size()) return getItemInfo(kPlayerAttributes[index]);
    const std::string tag = "metadata/list/" + std::to_string(index - kPlayerAttributes.size());
    const Text key = Utf8Property(tag + "/key");
    const auto& kept = control_->Kept().itemInfo;
    if (const auto found = kept.find(Lower(key)); found != kept.end()) return found->second;
    return Utf8Property(tag + "/value");
}

std::int32_t PlayerMedia::attributeCount() const {
    if (!Loaded()) return 0;
    const auto tags = control_->Mpv().GetInt("metadata/list/count").value_or(0);
    return Truncate(
        static_cast<double>(kPlayerAttributes.size() + std::max<std::int64_t>(tags, 0)));
}

std::optional<double> PlayerMedia::Number(const char* name) const {
    return Loaded() ? control_->Mpv().GetDouble(name) : std::nullopt;
}

Text PlayerMedia::durationString() const {
    const auto seconds = Number("duration");
    return seconds ? ClockText(*seconds) : Text{};
}

std::int32_t PlayerMedia::duration() const {
    return Truncate(Number("duration"));
}

std::int32_t PlayerMedia::markerCount() const {
    return Truncate(Number("chapters"));
}

std::int32_t PlayerMedia::imageSourceHeight() const {
    return Truncate(Number("height"));
}

std::int32_t PlayerMedia::imageSourceWidth() const {
    return Truncate(Number("width"));
}

Text PlayerMedia::name() const {
    return Loaded() ? Utf8Property("media-title") : Text{};
}

Text PlayerMedia::sourceURL() const {
    return Loaded() ? Utf8Property("path") : Text{};
}

}  // namespace tunelark
