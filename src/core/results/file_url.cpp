#include "results/file_url.h"

#include "search/site_urls.h"

namespace vantrel {

QString subtitleFileUrl(const QString& host, const QString& fileId) {
    const QString prefix = fileId.left(fileId.size() == 6 ? 3 : 2);
    return fileAddress(host) + prefix + QLatin1Char('/') + fileId + QStringLiteral(".xml");
}

}  // namespace vantrel
