#pragma once

#include "subtitles/subtitle_archive.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vantrel {

// Asks which video a subtitle of the archive goes beside, and which subtitle: the archive's
// subtitles, best first for that video, the best chosen unless the best two tie. Changing the
// video ranks them anew, keeping a row the user chose. Placing is the caller's: the dialog only
// says what was asked for, and stays open until the caller closes it.
class PlaceDialog final : public QDialog {
    Q_OBJECT
public:
    // `list` is the archive's subtitles ranked for `video` (which may be empty: the user gives it).
    PlaceDialog(QString archivePath, const QString& initialVideo, const SubtitleList& list,
                QWidget* parent);

    // Asks for a video file, starting in a folder; an empty answer changes nothing. The desktop's
    // file chooser unless replaced.
    using VideoChooser = std::function<QString(QWidget* parent, const QString& folder)>;
    void setVideoChooser(VideoChooser chooser) { chooseVideo_ = std::move(chooser); }

    QString video() const;
    const QString& archivePath() const { return archivePath_; }
    QLineEdit* videoBox() const { return video_; }
    QTreeWidget* subtitleList() const { return subtitles_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* placeButton() const { return place_; }

signals:
    // The user pressed 放到视频旁 with this subtitle and this video.
    void placeRequested(const SubtitleEntry& entry, const QString& video);

private:
    void browse();
    void rerank();
    void showList(const SubtitleList& list);
    void updatePlaceButton();
    std::optional<std::size_t> chosenRow() const;  // the subtitle chosen, if one is

    QString archivePath_;
    QString rankedFor_;  // the video the list is ranked for
    SubtitleList list_;
    std::optional<SubtitleEntry> bestOffered_;  // the best, when the dialog chose it itself
    QLineEdit* video_;
    QTreeWidget* subtitles_;
    QLabel* problem_;
    QPushButton* browse_;
    QPushButton* place_;
    VideoChooser chooseVideo_;
};

}  // namespace vantrel
