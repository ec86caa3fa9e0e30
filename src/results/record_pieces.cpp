#include "results/record_pieces.h"

#include "search/record_marker.h"

#include <string_view>

namespace vantrel {

std::vector<QStringView> splitAtRecordMarkers(QStringView page) {
    std::vector<QStringView> pieces;
    if (page.isEmpty()) {
        return pieces;
    }
    const QStringView marker(kRecordMarker);
    qsizetype from = 0;
    for (qsizetype found = page.indexOf(marker); found >= 0; found = page.indexOf(marker, from)) {
        pieces.push_back(page.mid(from, found - from));
        from = found + marker.size();
    }
    pieces.push_back(page.mid(from));
    return pieces;
}

QStringView cutToRecordStart(QStringView piece) {
    if (piece.startsWith(kRecordOpenTag)) {
        return piece;
    }
    const qsizetype start = piece.indexOf(kRecordOpenTag);
    return start < 0 ? piece : piece.mid(start);
}

}  // namespace vantrel
