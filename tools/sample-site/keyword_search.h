#pragma once

#include "sample-site/catalogue.h"

#include <string_view>
#include <vector>

namespace vantrel::site {

// The subtitles whose file name or film name contains the keyword, ignoring letter case, in
// catalogue order. The keyword is read as UTF-8 (a byte that is not UTF-8 is read as U+FFFD).
// An empty keyword is contained in every name, so it lists the whole catalogue.
std::vector<const SubtitleEntry*> findMatches(const Catalogue& catalogue, std::string_view keyword);

}  // namespace vantrel::site
