// The search command, the Enter key and the two page commands.
#include "window/form1.h"

#include "base/int16.h"
#include "desktop/busy_cursor.h"
#include "desktop/hidden_text_field.h"
#include "desktop/message_box.h"
#include "result_view/video_release_marks.h"
#include "search/change_utf.h"
#include "search/site_urls.h"
#include "subtitle_placing/subtitle_placing.h"
#include "window/keyword_history.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace vantrel {

QString Form1::ChangeUtf(const QString& text) const {
    return vantrel::ChangeUtf(text);
}

void Form1::MakeSearchUrl() {
    // The keyword's URL-structure characters become "%" groups first; ChangeUtf leaves those
    // groups as they are and encodes the rest.
    Text1->setText(searchAddress(site_.host) + ChangeUtf(escapeUrlStructure(Text4->text())));
}

void Form1::goCmd_Click() {
    PageNo = 1;
    // A search started from a video file marks that video's release; any other forgets it.
    videoMarks_->setVideo(std::exchange(videoOfNextSearch_, ReleaseName{}));
    subtitlePlacing_->setSearchVideo(std::exchange(videoFileOfNextSearch_, QString()));
    keywordHistory_->offerFirst(videoMarks_->video().otherTitle);
    if (Text4->text().isEmpty()) {
        platform_.messages.show(this, QStringLiteral("信息"),
                                QStringLiteral("字幕名称不能为空！^__^"));
        return;
    }
    keywordHistory_->add(Text4->text());
    const BusyCursor busy;
    MakeSearchUrl();
    FetchResults();
    ShowResults();
    setPageCaption();
    Command3->setEnabled(false);
}

void Form1::Text4_KeyPress(char16_t keyAscii) {
    if (keyAscii == 13) {
        goCmd_Click();
    }
}

void Form1::Command2_Click() {
    const qint16 next = addInt16(PageNo, 1);  // overflow raised before anything changes
    const BusyCursor busy;
    if (PageNo == 1) {
        BaseUrl = Text1->text();
    }
    PageNo = next;
    Text1->setText(pagedUrl(BaseUrl, PageNo));
    FetchResults();
    ShowResults();
    setPageCaption();
    Command3->setEnabled(true);
}

void Form1::Command3_Click() {
    const qint16 previous = addInt16(PageNo, -1);
    const BusyCursor busy;
    if (PageNo == 2) {
        Command3->setEnabled(false);
    }
    PageNo = previous;
    Text1->setText(PageNo > 1 ? pagedUrl(BaseUrl, PageNo) : BaseUrl);
    FetchResults();
    ShowResults();
    setPageCaption();
}

void Form1::setPageCaption() {
    Frame3->setTitle(QStringLiteral("搜索结果  当前第 ") + QString::number(PageNo) +
                     QStringLiteral(" 页"));
}

}  // namespace vantrel
