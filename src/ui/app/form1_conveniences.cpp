// What the window offers beyond its commands: a menu and copying on the result rows, visited
// rows, the keywords searched so far, and keys for paging.
#include "app/form1.h"

#include "app/keyword_history.h"
#include "app/paging_keys.h"
#include "app/result_actions.h"
#include "app/video_release_marks.h"

#include <QLineEdit>
#include <QPushButton>

namespace vantrel {

void Form1::addConveniences() {
    resultActions_ = new ResultActions(*Grid1, site_.host, this);
    keywordHistory_ = new KeywordHistory(*Text4);
    addPagingKeys(*this, *Command3, *Command2);
    videoMarks_ = new VideoReleaseMarks(*Grid1, this);
    setAcceptDrops(true);
}

}  // namespace vantrel
