// Filling the grid from a downloaded page, and opening a chosen result.
#include "window/form1.h"

#include "base/int16.h"
#include "desktop/hidden_text_field.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "result_view/result_actions.h"
#include "result_view/result_filter_bar.h"
#include "result_view/result_grid_fill.h"
#include "result_view/video_release_marks.h"
#include "results/file_url.h"
#include "results/result_columns.h"
#include "subtitle_placing/subtitle_placing.h"

namespace vantrel {

void Form1::ShowResults() {
    fillGridFromPage(Text2->text(), *Grid1, *Text5);
    videoMarks_->pageShown();
    resultFilter_->pageFilled();
}

void Form1::Grid1_RowActivate(int first, int) {
    if (first == 0) {
        return;
    }
    const qint16 row = Grid1->ActiveCell().Row();
    const QString fileId = Grid1->Cell(row, FileId).Text();
    const QString url = subtitleFileUrl(site_.host, fileId);
    Text3->setText(url + QLatin1Char('|') + QString::number(row));
    platform_.shell.open(url);
    resultActions_->markOpened(fileId);
    subtitlePlacing_->filePageOpened();  // the subtitle the user downloads there is offered
}

}  // namespace vantrel
