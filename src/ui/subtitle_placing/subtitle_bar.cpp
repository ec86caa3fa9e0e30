#include "subtitle_placing/subtitle_bar.h"

#include "desktop/shell.h"
#include "grid/grid.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace vantrel {
namespace {

// A local file as a file URL, every character that is not plain ASCII escaped: the shell gets an
// address, never a path a command line could read otherwise.
QString fileUrl(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

}  // namespace

SubtitleBar::SubtitleBar(Grid& grid, QWidget& filterBar, Shell& shell, QWidget* parent)
    : QWidget(parent),
      grid_(grid),
      filterBar_(filterBar),
      shell_(shell),
      text_(new QLabel(this)),
      first_(new QPushButton(this)),
      second_(new QPushButton(this)),
      close_(new QToolButton(this)),
      gridPlace_(grid.geometry()) {
    hide();
    text_->setTextFormat(Qt::PlainText);
    // A long file name is cut at the bar's end, not allowed to push the buttons out of it.
    text_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QPushButton* button : {first_, second_}) {
        button->setAutoDefault(false);
    }
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setAccessibleName(QStringLiteral("关闭"));
    close_->setToolTip(QStringLiteral("关闭"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 4, 0, 0);
    row->addWidget(text_, 1);
    row->addWidget(first_);
    row->addWidget(second_);
    row->addWidget(close_);

    connect(first_, &QPushButton::clicked, this, &SubtitleBar::firstClicked);
    connect(second_, &QPushButton::clicked, this, [this] { shell_.open(fileUrl(videoPath_)); });
    connect(close_, &QToolButton::clicked, this, &SubtitleBar::dismiss);
    // The filter bar places itself as it opens and closes; this one then puts both in order.
    filterBar_.installEventFilter(this);
}

void SubtitleBar::offer(const QString& archivePath) {
    archivePath_ = archivePath;
    subtitlePath_.clear();
    first_->setText(QStringLiteral("放到视频旁(&P)"));
    second_->hide();
    showWith(QStringLiteral("下载的字幕 %1 可以放到视频旁").arg(QFileInfo(archivePath).fileName()));
}

void SubtitleBar::placed(const QString& subtitlePath, const QString& videoPath) {
    subtitlePath_ = subtitlePath;
    videoPath_ = videoPath;
    first_->setText(QStringLiteral("打开文件夹(&O)"));
    second_->setText(QStringLiteral("播放视频(&V)"));
    second_->show();
    showWith(QStringLiteral("已放到视频旁：") + QFileInfo(subtitlePath).fileName());
}

void SubtitleBar::showWith(const QString& text) {
    text_->setText(text);
    text_->setToolTip(text);
    setAccessibleName(text);
    show();
    relayout();
}

void SubtitleBar::dismiss() {
    hide();
    relayout();
}

void SubtitleBar::firstClicked() {
    if (subtitlePath_.isEmpty()) {
        const QString archive = archivePath_;
        dismiss();
        emit placeRequested(archive);
    } else {
        shell_.open(fileUrl(QFileInfo(subtitlePath_).absolutePath()));
    }
}

bool SubtitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &filterBar_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        // After the filter bar has done its own placing.
        QTimer::singleShot(0, this, &SubtitleBar::relayout);
    }
    return QWidget::eventFilter(watched, event);
}

void SubtitleBar::relayout() {
    int bottom = gridPlace_.bottom() + 1;
    if (!isHidden()) {
        const int height = sizeHint().height();
        bottom -= height;
        setGeometry(gridPlace_.left(), bottom, gridPlace_.width(), height);
    }
    if (!filterBar_.isHidden()) {
        const int height = filterBar_.height();
        bottom -= height;
        filterBar_.setGeometry(gridPlace_.left(), bottom, gridPlace_.width(), height);
    }
    grid_.setGeometry(gridPlace_.left(), gridPlace_.top(), gridPlace_.width(),
                      bottom - gridPlace_.top());
}

}  // namespace vantrel
