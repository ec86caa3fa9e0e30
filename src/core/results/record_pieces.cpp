#include "results/record_pieces.h"

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
    // The standard search looks for the marker's first character, which is rare in a page; it
    // is several times faster here than the general substring search.
    const std::u16string_view text = units(page);
    const std::u16string_view marker = units(kRecordMarker);
    size_t from = 0;
    for (size_t found = text.find(marker); found != std::u16string_view::npos;
         found = text.find(marker, from)) {
        pieces.push_back(
            page.mid(static_cast<qsizetype>(from), static_cast<qsizetype>(found - from)));
        from = found + marker.size();
    }
    pieces.push_back(page.mid(static_cast<qsizetype>(from)));
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
    const size_t start = units(piece).find(units(kRecordOpenTag));
    return start == std::u16string_view::npos ? piece : piece.mid(static_cast<qsizetype>(start));
}

}  // namespace vantrel
