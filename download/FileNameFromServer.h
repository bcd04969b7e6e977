#pragma once

#include "download/DownloadSettings.h"
#include "text/Text.h"

namespace tunelark {

// The file name the server gives for an address: a GET that does not follow redirects and reads
// only the reply's header block; the name comes from Content-Location when the reply has one,
// otherwise from the address (FileNameFromAddress). Not yet safe to use as a file name.
[[nodiscard]] Text FileNameFromServer(const Text& address, const DownloadSettings& settings = {});

// A target that names a folder (its last component has no extension) is completed with the
// server's file name, made safe, after a "\" unless it already ends in a separator. A target
// with an extension stays as it is.
void ResolveTargetPath(const Text& address, Text& targetPath,
                       const DownloadSettings& settings = {});

}  // namespace tunelark
