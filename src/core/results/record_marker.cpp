#include "results/record_marker.h"

#include "base/text_search.h"

#include <QStringView>

#include <algorithm>
#include <vector>

namespace vantrel {

namespace {

// A marked copy, for a page whose text someone else still reads: made in one pass.
QString markedCopy(const QString& page) {
    const QStringView tag(kRecordCloseTag);
    qsizetype found = findText(page, tag);
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
        found = findText(page, tag, from);
    }
    out += QStringView(page).mid(from);
    return out;
}

}  // namespace

QString insertRecordMarkers(QString page) {
    if (!page.isDetached()) {
        return markedCopy(page);
    }
    const QStringView tag(kRecordCloseTag);
    std::vector<qsizetype> tagEnds;
    for (qsizetype found = findText(page, tag); found >= 0; found = findText(page, tag, found)) {
        found += tag.size();
        tagEnds.push_back(found);
    }
    if (tagEnds.empty()) {
        return page;
    }
    // The page's own memory, which its decoding usually left room for (else it grows to the exact
    // size): the text behind each tag moves right by the markers in front of it, the last piece
    // first.
    const qsizetype oldSize = page.size();
    const qsizetype newSize =
        oldSize + static_cast<qsizetype>(tagEnds.size()) * kRecordMarker.size();
    page.reserve(newSize);
    page.resize(newSize);
    QChar* const text = page.data();
    qsizetype pieceEnd = oldSize;
    qsizetype shift = newSize - oldSize;
    for (auto tagEnd = tagEnds.rbegin(); tagEnd != tagEnds.rend(); ++tagEnd) {
        std::copy_backward(text + *tagEnd, text + pieceEnd, text + pieceEnd + shift);
        shift -= kRecordMarker.size();
        std::copy(kRecordMarker.cbegin(), kRecordMarker.cend(), text + *tagEnd + shift);
        pieceEnd = *tagEnd;
    }
    return page;
}

}  // namespace vantrel
