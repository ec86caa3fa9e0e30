#include "search/record_marker.h"

#include <QStringView>

namespace vantrel {

QString insertRecordMarkers(const QString& page) {
    const QStringView tag(kRecordCloseTag);
    qsizetype found = page.indexOf(tag);
    if (found < 0) {
        return page;  // shares the text, no copy
    }
    QString out;
    out.reserve(page.size() + page.size() / 16 + kRecordMarker.size());
    qsizetype from = 0;
    while (found >= 0) {
        const qsizetype end = found + tag.size();
        out += QStringView(page).mid(from, end - from);
        out += kRecordMarker;
        from = end;
        found = page.indexOf(tag, from);
    }
    out += QStringView(page).mid(from);
    return out;
}

}  // namespace vantrel
