#pragma once

#include <QString>

namespace vantrel {

// The addresses of the subtitle site, built from its host ("host" or "host:port").
QString searchAddress(const QString& host);  // http://host/search/sub:
QString fileAddress(const QString& host);    // http://host/xml/file/

// A result page other than the first: the first page's URL, "?page=" and the number.
QString pagedUrl(const QString& firstPageUrl, qint16 page);

}  // namespace vantrel
