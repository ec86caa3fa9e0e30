#include "search/site_urls.h"

namespace vantrel {

QString searchAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/search/sub:");
}

QString fileAddress(const QString& host) {
    return QStringLiteral("http://") + host + QStringLiteral("/xml/file/");
}

QString escapeUrlStructure(const QString& keyword) {
    QString escaped;
    escaped.reserve(keyword.size());
    for (const QChar unit : keyword) {
        switch (unit.unicode()) {
            case u'%':
                escaped += QStringLiteral("%25");
                break;
            case u'#':
                escaped += QStringLiteral("%23");
                break;
            case u'/':
                escaped += QStringLiteral("%2F");
                break;
            case u'?':
                escaped += QStringLiteral("%3F");
                break;
            case u'\\':
                escaped += QStringLiteral("%5C");
                break;
            default:
                escaped += unit;
        }
    }
    return escaped;
}

QString pagedUrl(const QString& firstPageUrl, qint16 page) {
    return firstPageUrl + QStringLiteral("?page=") + QString::number(page);
}

}  // namespace vantrel
