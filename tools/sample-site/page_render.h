#pragma once

#include "sample-site/catalogue.h"
#include "sample-site/paging.h"

#include <string>
#include <string_view>

namespace vantrel::site {

// A result page: the XML declaration, an enclosing <subtitles> element and one
// <subrief>...</subrief> record per subtitle, one record a line. The tool cuts the page at the
// exact tags, so they carry no attributes and no white space.
std::string renderResultPage(const ResultPage& page);

// A subtitle's file page: a small XML document with its eight fields.
std::string renderFilePage(const SubtitleEntry& entry);

// The home page (HTML): the site's name, the size of the catalogue and a few sample searches.
std::string renderHomePage(std::string_view siteName, const Catalogue& catalogue);

}  // namespace vantrel::site
