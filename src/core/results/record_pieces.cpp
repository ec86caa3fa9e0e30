#include "results/record_pieces.h"

#include "base/text_search.h"
#include "search/record_marker.h"

#include <string_view>

namespace vantrel {

namespace {

std::u16string_view units(QStringView text) {
    return std::u16string_view(text.utf16(), static_cast<size_t>(text.size()));
}

}  // namespace

std::vector<QStringView> splitAtRecordMarkers(QStringView page) {
    std::vector<QStringView> pieces;
    if (page.isEmpty()) {
        return pieces;
    }
    qsizetype from = 0;
    for (qsizetype found = findText(page, kRecordMarker); found >= 0;
         found = findText(page, kRecordMarker, from)) {
        pieces.push_back(page.mid(from, found - from));
        from = found + kRecordMarker.size();
    }
    pieces.push_back(page.mid(from));
    return pieces;
}

bool beginsWith(QStringView text, QStringView prefix) {
    return units(text).substr(0, static_cast<size_t>(prefix.size())) == units(prefix);
}

bool endsWith(QStringView text, QStringView suffix) {
    return text.size() >= suffix.size() &&
           units(text).substr(static_cast<size_t>(text.size() - suffix.size())) == units(suffix);
}

QStringView cutToRecordStart(QStringView piece) {
    if (beginsWith(piece, kRecordOpenTag)) {
        return piece;
    }
    const qsizetype start = findText(piece, kRecordOpenTag);
    return start < 0 ? piece : piece.mid(start);
}

}  // namespace vantrel
