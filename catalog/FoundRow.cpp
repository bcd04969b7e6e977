#include "catalog/FoundRow.h"

#include <string>

#include "catalog/Columns.h"

namespace tunelark {

FoundRow MakeFoundRow(int32_t number, Text artist, Text title, Text pageLink) {
    FoundRow row(SongColumn::kPageLink + 1);
    row[SongColumn::kNumber] = std::to_string(number);
    row[SongColumn::kArtist] = std::move(artist);
    row[SongColumn::kTitle] = std::move(title);
    row[SongColumn::kPageLink] = std::move(pageLink);
    return row;
}

}  // namespace tunelark
