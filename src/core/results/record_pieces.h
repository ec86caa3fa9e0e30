#pragma once

#include "results/record_tags.h"

#include <QStringView>

#include <vector>

namespace vantrel {

// Cuts a marked page at every record marker. With m markers there are m + 1 pieces: m records
// and the tail behind the last marker. An empty page has no piece at all. The views point into
// page.
std::vector<QStringView> splitAtRecordMarkers(QStringView page);

// The same pieces one at a time, for reading a page of megabytes piece by piece while each is in
// the cache: count() reads the whole page once, next() only as far as the next marker.
class MarkedPieces {
public:
    explicit MarkedPieces(QStringView page) : page_(page) {}
    qsizetype count() const;
    QStringView next();  // count() times

private:
    QStringView page_;
    qsizetype from_ = 0;
};

// A record piece holds the record and whatever stood before it; the record starts at its first
// opening tag. Returns the piece from there on, or the piece itself when it starts with the tag
// or holds none.
QStringView cutToRecordStart(QStringView piece);

// Exact, case-sensitive tests of a piece's ends. Plain code-unit comparisons: called for every
// record, they are much cheaper than the general string comparison.
bool beginsWith(QStringView text, QStringView prefix);
bool endsWith(QStringView text, QStringView suffix);

}  // namespace vantrel
