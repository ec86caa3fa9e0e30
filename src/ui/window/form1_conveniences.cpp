// What the window offers beyond its commands: a menu and copying on the result rows, visited
// rows, a filter on the rows, the keywords searched so far, keys for paging, and placing a
// subtitle beside the video.
#include "window/form1.h"

#include "grid/grid.h"
#include "result_view/result_actions.h"
#include "result_view/result_filter_bar.h"
#include "result_view/video_release_marks.h"
#include "subtitle_placing/subtitle_placing.h"
#include "window/keyword_history.h"
#include "window/paging_keys.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace vantrel {

void Form1::addConveniences() {
    resultActions_ = new ResultActions(*Grid1, site_.host, this);
    resultFilter_ = new ResultFilterBar(*Grid1, Frame3);
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    connect(find, &QShortcut::activated, resultFilter_, &ResultFilterBar::open);
    connect(resultActions_, &ResultActions::filterRequested, resultFilter_, &ResultFilterBar::open);
    keywordHistory_ = new KeywordHistory(*Text4);
    addPagingKeys(*this, *Command3, *Command2);
    videoMarks_ = new VideoReleaseMarks(*Grid1, this);
    subtitlePlacing_ = new SubtitlePlacing({*this, *Grid1, *resultFilter_, platform_.shell,
                                            platform_.messages, platform_.downloadFolder},
                                           this);
    setAcceptDrops(true);
}

}  // namespace vantrel
