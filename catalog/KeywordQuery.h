#pragma once

#include "text/Text.h"

namespace tunelark {

// A keyword as a query value. The web request escapes what an address cannot hold (spaces,
// non-ASCII as UTF-8) but rightly leaves the query's own syntax alone, so the characters that
// would end or split the value ("&", "#", "+") are escaped here; everything else, "%" included,
// goes in as typed.
[[nodiscard]] Text KeywordQueryValue(const Text& keyword);

}  // namespace tunelark
