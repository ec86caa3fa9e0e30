#include "search/site_urls.h"

#include "base/percent_escape.h"

#include <QStringView>

namespace vantrel {

QString searchAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/search/sub:");
}

QString fileAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/xml/file/");
}

QString escapeUrlStructure(const QString& keyword) {
    // The characters that would change the URL's structure: an escape, a fragment, path steps
    // and a query. Each becomes its "%" group, in upper-case hex as the rest of the URL.
    constexpr QStringView structural = u"%#/?\\";
    QString escaped;
    escaped.reserve(keyword.size());
    for (const QChar unit : keyword) {
        if (structural.contains(unit)) {
            appendPercentEscape(escaped, static_cast<unsigned char>(unit.unicode()));
        } else {
            escaped += unit;
        }
    }
    return escaped;
}

QString pagedUrl(const QString& firstPageUrl, qint16 page) {
    return firstPageUrl + QStringLiteral("?page=") + QString::number(page);
}

}  // namespace vantrel
