#pragma once

#include <httplib.h>

#include <filesystem>
#include <string>

#include "standin/FaultSwitches.h"
#include "standin/StopSignal.h"

namespace tunelark::standin {

// What a media reply serves.
struct MediaReply {
    std::filesystem::path file;
    std::string contentType;
    std::string location;  // sent as Content-Location
};

// Answers with the file, or the part of it that the Range header asks for (206 with
// Content-Range; 416 for a start past the end), with Content-Length and Accept-Ranges, and
// with the media fault switches applied.
void ServeMedia(const httplib::Request& request, httplib::Response& response,
                const MediaReply& media, const FaultSwitches& faults, StopSignal& stop);

}  // namespace tunelark::standin
