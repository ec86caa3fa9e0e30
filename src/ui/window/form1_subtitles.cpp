// Placing a subtitle beside the video: from an archive or subtitle file dropped on the window, or
// one the download folder offers (subtitle_placing/).
#include "window/form1.h"

#include "subtitle_placing/subtitle_placing.h"
#include "subtitles/subtitle_archive.h"

#include <QFileInfo>

namespace vantrel {

bool Form1::isSubtitleDrop(const QString& path) {
    return isSubtitleArchiveOrFile(QFileInfo(path).fileName()) && !QFileInfo(path).isDir();
}

void Form1::placeSubtitleFrom(const QString& archivePath) {
    // A procedure, as a drop of a video file is: after any search under way and its message.
    runEvent([this, archivePath] { subtitlePlacing_->placeFrom(archivePath); });
}

}  // namespace vantrel
