#pragma once

#include <cstddef>

#include "text/Text.h"

namespace tunelark {

// File systems take at most this many bytes in one name.
inline constexpr size_t kMaxFileNameBytes = 255;

// A piece of a file name that came from outside (an artist, a keyword, a quality label), made
// safe: path separators, the characters file names do not allow (\ / : * ? " < > |), control
// characters and broken two-byte characters become "_", and a piece of only dots becomes
// underscores, so the name can never leave the folder it is put in.
[[nodiscard]] Text CleanNamePart(const Text& part);

// "<lead>《<keyword>》<extension>" with both pieces cleaned and, where the name would exceed
// kMaxFileNameBytes on the host (UTF-8), the longer piece shortened by whole characters.
[[nodiscard]] Text CatalogFileName(const Text& lead, const Text& keyword, const Text& extension);

// directory + "\" + artist + "《" + keyword + "》.MP3". The directory is the user's and is kept.
[[nodiscard]] Text SongFilePath(const Text& directory, const Text& artist, const Text& keyword);
// directory + "\" + quality label + "《" + keyword + "》.MP4".
[[nodiscard]] Text MvFilePath(const Text& directory, const Text& label, const Text& keyword);

}  // namespace tunelark
