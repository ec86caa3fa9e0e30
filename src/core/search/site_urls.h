#pragma once

#include <QString>

namespace vantrel {

// The addresses of the subtitle site, built from its host ("host" or "host:port").
QString searchAddress(const QString& host);  // http://host/search/sub:
QString fileAddress(const QString& host);    // http://host/xml/file/

// The keyword with the ASCII characters that would change the search URL's structure written as
// "%" groups: '%' (an escape of its own), '#' (a fragment, never sent), '?' (the query), '/' and
// '\' (path steps). Everything else is left for ChangeUtf, which passes ASCII through unchanged,
// so the site decodes the path and receives the keyword as typed.
QString escapeUrlStructure(const QString& keyword);

// A result page other than the first: the first page's URL, "?page=" and the number.
QString pagedUrl(const QString& firstPageUrl, qint16 page);

}  // namespace vantrel
