#include "result_view/result_grid_fill.h"

#include "desktop/hidden_text_field.h"
#include "grid/grid.h"
#include "results/result_parser.h"

namespace vantrel {

namespace {

class GridResultSink final : public ResultSink {
public:
    GridResultSink(Grid& grid, HiddenTextField& recordField)
        : grid_(grid), recordField_(recordField) {}

    void beginPage(int pieces) override {
        grid_.setRows(1);
        grid_.setRows(pieces);
    }

    void record(int index, const ResultFields& fields) override {
        grid_.setRowTexts(index + 1, FileId, fields.data(), kResultFieldCount);
    }

    void endPage(QStringView lastRecord) override {
        // Nothing reads the record field while the page is read, so it is written once, with
        // the record parsed last, rather than once a record.
        if (!lastRecord.isNull()) {
            recordField_.setText(lastRecord.toString());
        }
        grid_.Range(0, 0, grid_.Rows() - 1, grid_.Cols() - 1).setLocked(true);
        const QString downloadMark = QStringLiteral("下载>>");
        const QString* const mark = &downloadMark;
        const int rows = grid_.Rows();
        for (int r = 1; r < rows; ++r) {
            grid_.setRowTexts(r, DownloadMark, &mark, 1);
            grid_.ResetRowHeight(r);
        }
    }

private:
    Grid& grid_;
    HiddenTextField& recordField_;
};

}  // namespace

void fillGridFromPage(const QString& page, Grid& grid, HiddenTextField& recordField) {
    GridResultSink sink(grid, recordField);
    parseResultPage(page, sink);
}

}  // namespace vantrel
