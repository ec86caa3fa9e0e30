#pragma once

#include "sample-site/catalogue.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::site {

// Longer keywords (after percent-decoding) are refused: no name is that long.
inline constexpr std::size_t kMaxKeywordBytes = 1000;

struct SiteResponse {
    int status = 200;
    std::string contentType;
    std::string body;
};

// The folder of a subtitle's file page: the first 3 characters of a 6-character id, else the
// first 2 (the whole id when it is shorter).
std::string filePrefix(std::string_view fileId);

// The answer to a GET of a request target (path and query, as sent on the request line):
//   /                               the home page
//   /search/sub:<keyword>[?page=N]  a result page (the keyword percent-encoded)
//   /xml/file/<prefix>/<id>.xml     a subtitle's file page
// and 404 for anything else, an unknown id or a prefix that does not fit the id.
SiteResponse respond(const Catalogue& catalogue, std::string_view siteName,
                     std::string_view target);

}  // namespace vantrel::site
