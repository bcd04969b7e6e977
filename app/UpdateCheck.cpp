#include "app/UpdateCheck.h"

#include "platform/HttpGet.h"
#include "platform/ServiceConfig.h"
#include "text/CodePage.h"
#include "text/TextHelpers.h"

namespace tunelark {
namespace {

// The document is a text: it ends at its first zero byte.
Text AsText(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::optional<UpdateOutcome> CheckForUpdate(const FetchDocument& fetch, const PauseFor& pause) {
    Text document;
    for (int attempt = 0; attempt < kUpdateAttempts && document.empty(); ++attempt) {
        document = AsText(fetch());
        if (document.empty() && !pause(kUpdateRetryPause)) return std::nullopt;
    }
    if (document.empty()) return UpdateOutcome{};
    return ReadUpdateDocument(document);
}

UpdateOutcome ReadUpdateDocument(const Text& document) {
    static const Text versionMarker = Utf8ToGbk("【最新版本号】");
    static const Text addressMarker = Utf8ToGbk("【下载地址】");
    const Text version = TextBetween(document, versionMarker, "&");
    UpdateOutcome outcome{.kind = UpdateOutcome::Kind::Current,
                          .address = TextBetween(document, addressMarker, "#")};
    // Any difference counts, an older version too: no ordering of versions is attempted.
    if (version != kProgramVersion) outcome.kind = UpdateOutcome::Kind::Newer;
    return outcome;
}

std::string FetchUpdateDocument(const std::string& address, std::stop_token stop) {
    const HttpReply reply =
        HttpGet(address, {.timeout = std::chrono::seconds(10), .maxBodyBytes = 256 * 1024},
                [&stop] { return !stop.stop_requested(); });
    // An error page is no update document.
    const bool fine = reply.complete && reply.status >= 200 && reply.status < 300;
    return fine ? reply.body : std::string();
}

std::string UpdateDocumentAddress() {
    return Services().updateBase + "/software/music/music.php";
}

}  // namespace tunelark
