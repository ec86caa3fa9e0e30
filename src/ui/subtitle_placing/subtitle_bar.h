#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace vantrel {

class Grid;
class Shell;

// The bar below the result grid that offers a subtitle just downloaded for placing, and then says
// where it was placed, with the video's folder and the video a click away. Like the filter bar it
// takes its height from the grid while it shows; when both show, it is the lower one.
class SubtitleBar final : public QWidget {
    Q_OBJECT
public:
    // `filterBar` is the grid's other bar, kept in its place above this one.
    SubtitleBar(Grid& grid, QWidget& filterBar, Shell& shell, QWidget* parent);

    // "下载的字幕 NAME 可以放到视频旁" with 放到视频旁, which asks for placeRequested(archivePath).
    void offer(const QString& archivePath);
    // "已放到视频旁：NAME" with 打开文件夹 and 播放视频.
    void placed(const QString& subtitlePath, const QString& videoPath);
    void dismiss();

    QLabel* textLabel() const { return text_; }
    QPushButton* firstButton() const { return first_; }
    QPushButton* secondButton() const { return second_; }
    QToolButton* closeButton() const { return close_; }

signals:
    void placeRequested(const QString& archivePath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWith(const QString& text);
    void firstClicked();
    void relayout();

    Grid& grid_;
    QWidget& filterBar_;
    Shell& shell_;
    QLabel* text_;
    QPushButton* first_;
    QPushButton* second_;
    QToolButton* close_;
    QRect gridPlace_;  // the grid's designed place, shared by the grid and the bars below it
    QString archivePath_;
    QString subtitlePath_;
    QString videoPath_;
};

}  // namespace vantrel
