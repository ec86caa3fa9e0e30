// Searching from a video file: dropped on the window or named on the command line. A subtitle
// archive or file dropped goes beside the video instead (form1_subtitles.cpp).
#include "window/form1.h"

#include "grid/grid.h"
#include "release/release_name.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <optional>
#include <utility>

namespace vantrel {
namespace {

// The first local file or folder among what is dragged; links and other data are not ours.
std::optional<QString> firstLocalFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return std::nullopt;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) {
            return url.toLocalFile();
        }
    }
    return std::nullopt;
}

}  // namespace

void Form1::searchVideoFile(const QString& path) {
    runEvent([this, path] {
        ReleaseName film = parseReleaseName(path);
        Text4->setText(film.keyword);
        videoOfNextSearch_ = film;
        videoFileOfNextSearch_ = path;
        Text4_KeyPress(13);
        // A site may know the film only by its other title. When the first title finds nothing,
        // the other is searched once, as if chosen in the keyword box; the first title is then
        // the one offered back.
        if (Grid1->Rows() <= Grid::kDesignRows && !film.otherTitle.isEmpty() &&
            film.otherTitle != film.keyword) {
            std::swap(film.keyword, film.otherTitle);
            Text4->setText(film.keyword);
            videoOfNextSearch_ = std::move(film);
            videoFileOfNextSearch_ = path;
            Text4_KeyPress(13);
        }
    });
}

bool Form1::isVideoFileDrag(const QEvent* event) {
    const QEvent::Type type = event->type();
    return (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
           firstLocalFile(static_cast<const QDropEvent*>(event)->mimeData());
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (isVideoFileDrag(event)) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event) {
    // The data goes away with the drag: the path is read now, the search runs as a procedure.
    if (const std::optional<QString> path = firstLocalFile(event->mimeData())) {
        event->acceptProposedAction();
        if (isSubtitleDrop(*path)) {
            placeSubtitleFrom(*path);
        } else {
            searchVideoFile(*path);
        }
    }
}

}  // namespace vantrel
