#pragma once

#include "subtitles/subtitle_archive.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace vantrel {

class DownloadFolderWatch;
class Grid;
class MessageBox;
class PlaceDialog;
class Shell;
class SubtitleBar;

// The window's way from a subtitle archive to a subtitle beside the video: the dialog, the
// question before a file is replaced, the messages, the bar below the grid and the watch on the
// download folder. Nothing is written before the user presses 放到视频旁 in the dialog.
class SubtitlePlacing final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QWidget& window;
        Grid& grid;
        QWidget& filterBar;
        Shell& shell;
        MessageBox& messages;
        QString downloadFolder;
    };
    SubtitlePlacing(const Parts& parts, QObject* parent);

    // The video file the shown search started from; empty for a search typed by hand.
    void setSearchVideo(const QString& path);
    // Opens the dialog for an archive or subtitle file (or reports why it cannot).
    void placeFrom(const QString& archivePath);
    // A result's file page was opened: a subtitle downloaded soon after is offered.
    void filePageOpened();

    PlaceDialog* dialog() const;  // the dialog while it is open
    SubtitleBar* bar() const { return bar_; }

private:
    void place(const SubtitleEntry& entry, const QString& typedVideo);

    QWidget& window_;
    MessageBox& messages_;
    QString searchVideo_;
    QPointer<PlaceDialog> dialog_;
    SubtitleBar* bar_;
    DownloadFolderWatch* watch_;
};

}  // namespace vantrel
