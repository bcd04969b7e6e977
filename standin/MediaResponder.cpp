#include "standin/MediaResponder.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

#include "standin/ByteRange.h"

namespace tunelark::standin {
namespace {

constexpr int64_t kPieceBytes = 64 * 1024;

// Hands out the bytes of one reply piece by piece: `available` of them from the file's
// `first` byte on, as fast as `rate` allows.
class PieceReader final {
public:
    PieceReader(const std::filesystem::path& file, int64_t first, int64_t available,
                std::optional<int64_t> rate, StopSignal& stop)
        : stream_(file, std::ios::binary),
          first_(first),
          available_(available),
          rate_(rate),
          stop_(stop) {}

    // Writes the piece at offset; false when there is nothing left to send there (a cut
    // reply), the file cannot be read, or the server stops.
    bool WriteAt(int64_t offset, int64_t wanted, httplib::DataSink& sink) {
        const int64_t count =
            std::min({kPieceBytes, wanted, available_ - offset, rate_.value_or(kPieceBytes)});
        if (count <= 0 || stop_.Stopped()) return false;
        buffer_.resize(static_cast<std::size_t>(count));
        stream_.seekg(first_ + offset);
        if (!stream_.read(buffer_.data(), count)) return false;
        if (rate_ && !stop_.SleepFor(std::chrono::milliseconds(1000 * count / *rate_))) {
            return false;
        }
        return sink.write(buffer_.data(), buffer_.size());
    }

    [[nodiscard]] int64_t Available() const { return available_; }

private:
    std::ifstream stream_;
    int64_t first_;
    int64_t available_;
    std::optional<int64_t> rate_;
    StopSignal& stop_;
    std::vector<char> buffer_;
};

void AnswerUnsatisfiable(httplib::Response& response, int64_t size) {
    response.status = 416;
    response.set_header("Content-Range", "bytes */" + std::to_string(size));
    response.set_content("", "text/plain");
}

}  // namespace

void ServeMedia(const httplib::Request& request, httplib::Response& response,
                const MediaReply& media, const FaultSwitches& faults, StopSignal& stop) {
    std::error_code error;
    const auto size = static_cast<int64_t>(std::filesystem::file_size(media.file, error));
    if (error) {
        response.status = 500;
        return;
    }
    const RangeAnswer range = faults.ignoreRange
                                  ? ResolveRange("", size)
                                  : ResolveRange(request.get_header_value("Range"), size);
    response.set_header("Accept-Ranges", "bytes");
    response.set_header("Content-Location", media.location);
    if (range.kind == RangeAnswer::Kind::kUnsatisfiable) return AnswerUnsatisfiable(response, size);
    response.status = range.kind == RangeAnswer::Kind::kPart ? 206 : 200;
    if (range.kind == RangeAnswer::Kind::kPart) {
        response.set_header("Content-Range", "bytes " + std::to_string(range.first) + "-" +
                                                 std::to_string(range.last) + "/" +
                                                 std::to_string(size));
    }
    const int64_t length = range.last - range.first + 1;
    const int64_t sent = std::min(length, faults.dropAfter.value_or(length));
    auto reader = std::make_shared<PieceReader>(media.file, range.first, sent, faults.rate, stop);
    if (faults.noLength) {
        response.set_chunked_content_provider(
            media.contentType, [reader, length](std::size_t offset, httplib::DataSink& sink) {
                const auto at = static_cast<int64_t>(offset);
                if (at < reader->Available()) return reader->WriteAt(at, kPieceBytes, sink);
                if (reader->Available() < length) return false;  // cut: close without the end
                sink.done();
                return true;
            });
        return;
    }
    const int64_t declared = length + faults.overLength.value_or(0);
    response.set_content_provider(
        static_cast<std::size_t>(declared), media.contentType,
        [reader](std::size_t offset, std::size_t wanted, httplib::DataSink& sink) {
            return reader->WriteAt(static_cast<int64_t>(offset), static_cast<int64_t>(wanted),
                                   sink);
        });
}

}  // namespace tunelark::standin
