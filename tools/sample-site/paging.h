#pragma once

#include "sample-site/subtitle_entry.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace vantrel::site {

inline constexpr int kRecordsPerPage = 20;

// The page asked for by the "page" parameter of a query ("page=3", "x=1&page=2"); nullopt
// when the query has no such parameter. A value that is not a positive decimal number (empty,
// zero, negative, "2x") means page 1; a number too large for an int becomes the largest int,
// a page past the last one.
std::optional<int> pageParameter(std::string_view query);

// One page of a result list.
struct ResultPage {
    int number = 1;                             // the page asked for, from 1
    int pageCount = 0;                          // pages that hold records; 0 when nothing matched
    std::size_t total = 0;                      // records on all pages
    std::vector<const SubtitleEntry*> records;  // at most kRecordsPerPage; none past the last page
};

ResultPage selectPage(const std::vector<const SubtitleEntry*>& matches, int page);

}  // namespace vantrel::site
