#include "subtitle_placing/subtitle_placing.h"

#include "desktop/busy_cursor.h"
#include "desktop/message_box.h"
#include "grid/grid.h"
#include "subtitle_placing/download_folder_watch.h"
#include "subtitle_placing/place_dialog.h"
#include "subtitle_placing/subtitle_bar.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {
namespace {

const QString kTitle = QStringLiteral("放到视频旁");

// A large archive takes a moment to read; the busy cursor goes before any message shows.
SubtitleList listBusily(const QString& archivePath, const QString& video) {
    const BusyCursor busy;
    return listSubtitles(archivePath, video);
}

PlacedSubtitle placeBusily(const QString& archivePath, const SubtitleEntry& entry,
                           const QString& video, bool replace) {
    const BusyCursor busy;
    return placeSubtitle(archivePath, entry, video, replace);
}

// A subtitle file dropped where it would go is in its own way: replacing cannot help, and the
// core says it is already beside the video.
bool isItself(const PlacedSubtitle& placed, const QString& archivePath) {
    const QString inTheWay = QFileInfo(placed.path).canonicalFilePath();
    return !inTheWay.isEmpty() && inTheWay == QFileInfo(archivePath).canonicalFilePath();
}

}  // namespace

SubtitlePlacing::SubtitlePlacing(const Parts& parts, QObject* parent)
    : QObject(parent),
      window_(parts.window),
      messages_(parts.messages),
      bar_(new SubtitleBar(parts.grid, parts.filterBar, parts.shell, parts.grid.parentWidget())),
      watch_(new DownloadFolderWatch(parts.downloadFolder, this)) {
    connect(watch_, &DownloadFolderWatch::subtitleDownloaded, bar_, &SubtitleBar::offer);
    connect(bar_, &SubtitleBar::placeRequested, this, &SubtitlePlacing::placeFrom);
}

void SubtitlePlacing::setSearchVideo(const QString& path) {
    // A folder dropped or named gives a search, but no video file to place a subtitle beside.
    const QFileInfo video(path);
    searchVideo_ = !path.isEmpty() && !video.isDir() ? video.absoluteFilePath() : QString();
}

void SubtitlePlacing::placeFrom(const QString& archivePath) {
    if (dialog_) {
        dialog_->close();
    }
    const SubtitleList list = listBusily(archivePath, searchVideo_);
    if (list.failure != SubtitleFailure::None) {
        messages_.show(&window_, kTitle, list.message);
        return;
    }
    auto* dialog =
        new PlaceDialog(archivePath, QDir::toNativeSeparators(searchVideo_), list, &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &PlaceDialog::placeRequested, this, &SubtitlePlacing::place);
    dialog_ = dialog;
    dialog->show();
}

void SubtitlePlacing::place(const SubtitleEntry& entry, const QString& typedVideo) {
    const QString video = QFileInfo(typedVideo).absoluteFilePath();
    const QString archive = dialog_->archivePath();
    PlacedSubtitle placed = placeBusily(archive, entry, video, false);
    if (placed.failure == SubtitleFailure::TargetExists && !isItself(placed, archive)) {
        const QString question =
            QStringLiteral("%1 已存在。\n\n要替换它吗？原来的文件会移到回收站。")
                .arg(QDir::toNativeSeparators(placed.path));
        if (!messages_.ask(dialog_, kTitle, question) || !dialog_) {
            return;  // the dialog stays open: another subtitle or video may be chosen
        }
        placed = placeBusily(archive, entry, video, true);
    }
    if (placed.failure != SubtitleFailure::None) {
        messages_.show(dialog_, kTitle, placed.message);
        return;
    }
    dialog_->accept();
    bar_->placed(placed.path, video);
}

PlaceDialog* SubtitlePlacing::dialog() const {
    return dialog_;
}

void SubtitlePlacing::filePageOpened() {
    watch_->filePageOpened();
}

}  // namespace vantrel
