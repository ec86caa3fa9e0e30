#pragma once

#include "results/result_columns.h"

#include <QString>
#include <QStringView>

#include <array>

namespace vantrel {

// The most records one page may hold: row numbers are 16-bit, and row 0 is the header.
constexpr int kMaxRecordsPerPage = 32766;

// The eight field texts of one record, columns FileId to UploadDate: " " where the record lacks
// the field. The strings live until the next record is handed over.
using ResultFields = std::array<const QString*, kResultFieldCount>;

// Receives a page's records as they are read, in order.
class ResultSink {
public:
    virtual ~ResultSink() = default;
    // Once, before any record: the number of pieces the page splits into (records + tail).
    virtual void beginPage(int pieces) = 0;
    // Record number `index`, from 0.
    virtual void record(int index, const ResultFields& fields) = 0;
    // Once, after the last record: that record as it was parsed, or a null view when the page
    // held none.
    virtual void endPage(QStringView lastRecord) = 0;
};

// Reads a marked page: splits it into records, parses each as an XML document of its own and
// hands its eight fields to the sink. A page with more records than the grid can number raises
// an overflow error before the sink hears of it.
void parseResultPage(const QString& page, ResultSink& sink);

}  // namespace vantrel
