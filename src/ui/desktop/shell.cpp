#include "desktop/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace vantrel {

void DesktopShell::open(const QString& url) {
    // Tolerant mode percent-encodes blanks and non-ASCII for the browser.
    QDesktopServices::openUrl(QUrl(url, QUrl::TolerantMode));
}

}  // namespace vantrel
