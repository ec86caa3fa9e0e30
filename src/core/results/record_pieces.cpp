#include "results/record_pieces.h"

#include "base/text_search.h"
#include "results/record_tags.h"

#include <string_view>
#include <utility>

namespace vantrel {

namespace {

std::u16string_view units(QStringView text) {
    return std::u16string_view(text.utf16(), static_cast<size_t>(text.size()));
}

}  // namespace

qsizetype MarkedPieces::count() const {
    if (page_.isEmpty()) {
        return 0;
    }
    qsizetype pieces = 1;
    for (qsizetype found = findText(page_, kRecordMarker); found >= 0;
         found = findText(page_, kRecordMarker, found + kRecordMarker.size())) {
        ++pieces;
    }
    return pieces;
}

QStringView MarkedPieces::next() {
    const qsizetype found = findText(page_, kRecordMarker, from_);
    const qsizetype from =
        std::exchange(from_, found < 0 ? page_.size() : found + kRecordMarker.size());
    return page_.mid(from, (found < 0 ? page_.size() : found) - from);
}

std::vector<QStringView> splitAtRecordMarkers(QStringView page) {
    MarkedPieces pieces(page);
    std::vector<QStringView> all(static_cast<size_t>(pieces.count()));
    for (QStringView& piece : all) {
        piece = pieces.next();
    }
    return all;
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
