#include "search/site_urls.h"

namespace vantrel {

QString searchAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/search/sub:");
}

QString fileAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/xml/file/");
}

QString pagedUrl(const QString& firstPageUrl, qint16 page) {
    return firstPageUrl + QStringLiteral("?page=") + QString::number(page);
}

}  // namespace vantrel
