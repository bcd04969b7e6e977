// File names from the network: the name an address gives, the downloader's cleaning and the
// catalogue's name pieces. What counts is the name the host sees (UTF-8, where "\" becomes a
// separator too): it never holds a separator and never names "." or "..".
#include <cstddef>
#include <cstdint>

#include "catalog/FileNames.h"
#include "download/FileNames.h"
#include "fuzz/FuzzSupport.h"
#include "text/CodePage.h"

namespace tunelark {
namespace {

constexpr std::size_t kMaxName = 1024;
// The downloader keeps room for a ".part" suffix.
constexpr std::size_t kMaxDownloadNameBytes = 240;

void CheckHostName(const Text& name, const char* separatorProperty, const char* dotsProperty) {
    const std::string host = GbkToUtf8(name);
    Require(host.find_first_of("/\\") == std::string::npos, separatorProperty);
    Require(host != "." && host != "..", dotsProperty);
}

void CheckDownloadName(const Text& address) {
    const Text name = FileNameFromAddress(address);
    Require(GbkToUtf8(name).find_first_of("/\\") == std::string::npos,
            "a name from an address holds no separator");
    for (const Text& unsafe : {name, address}) {
        const Text safe = SafeFileName(unsafe);
        Require(!safe.empty(), "a cleaned name is never empty");
        CheckHostName(safe, "a cleaned name holds no separator", "a cleaned name is no dot name");
        Require(GbkToUtf8(safe).size() <= kMaxDownloadNameBytes,
                "a cleaned name fits the host with room for a suffix");
        Require(SafeFileName(safe) == safe, "cleaning a clean name keeps it");
    }
}

void CheckCatalogName(const Text& lead, const Text& keyword) {
    for (const Text& piece : {lead, keyword}) {
        CheckHostName(CleanNamePart(piece), "a cleaned piece holds no separator",
                      "a cleaned piece is no dot name");
    }
    const Text name = CatalogFileName(lead, keyword, ".MP3");
    CheckHostName(name, "a catalogue name holds no separator", "a catalogue name is no dot name");
    Require(GbkToUtf8(name).size() <= kMaxFileNameBytes, "a catalogue name fits the host");
}

// The first piece serves as an address, a server's name and a catalogue name's lead.
void CheckNames(FuzzedDataProvider& input) {
    const Text first = input.ConsumeRandomLengthString(kMaxName);
    CheckDownloadName(first);
    CheckCatalogName(first, input.ConsumeRemainingBytesAsString());
}

}  // namespace
}  // namespace tunelark

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tunelark::CheckNames(input);
    return 0;
}
