#pragma once

#include "app/site_config.h"
#include "release/release_name.h"

#include <QStandardPaths>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class ClickableLabel;
class Grid;
class HeldInput;
class HiddenTextField;
class HttpClient;
class KeywordHistory;
class MessageBox;
class ResultActions;
class ResultFilterBar;
class VideoReleaseMarks;
class Shell;
class SiteStarter;
class SubtitlePlacing;

// What the window needs from the outside world. Tests hand in a loopback server's client, a
// recording shell and a recording message box, and no site starter.
struct Platform {
    HttpClient& http;
    Shell& shell;
    MessageBox& messages;
    SiteStarter* siteStarter = nullptr;  // runs the bundled site while the window is open
    // Where the browser saves downloads: a subtitle saved there is offered for placing.
    QString downloadFolder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
};

// The program's one window: the keyword box and commands, the information area, the result grid
// and the hidden fields that carry a search from one procedure to the next.
// Its names (Form1, Text1-Text5, Command2, PageNo, the procedures below, ...) and its captions
// are the window's documented interface: they stay as they are, however plain they look.
class Form1 final : public QWidget {
    Q_OBJECT
public:
    Form1(const Platform& platform, SiteConfig site, QWidget* parent = nullptr);
    ~Form1() override;

    // Controls, in the order the window creates them. The window owns them all.
    QGroupBox* Frame3 = nullptr;  // result area
    Grid* Grid1 = nullptr;
    HiddenTextField* Text2 = nullptr;  // the downloaded page, records marked
    HiddenTextField* Text5 = nullptr;  // the record being parsed
    QGroupBox* Frame2 = nullptr;       // information area
    ClickableLabel* Label2 = nullptr;  // link to the promotional site
    QLabel* Label3 = nullptr;          // description
    QLabel* Label1 = nullptr;          // version
    QGroupBox* Frame1 = nullptr;       // search area
    QPushButton* Command2 = nullptr;   // next page
    QPushButton* Command3 = nullptr;   // previous page
    QPushButton* goCmd = nullptr;      // search
    QLineEdit* Text4 = nullptr;        // keyword
    HiddenTextField* Text3 = nullptr;  // file URL and row last opened
    HiddenTextField* Text1 = nullptr;  // current search URL

    qint16 PageNo = 1;  // current result page
    QString BaseUrl;    // first-page URL of the current result list

    QString ChangeUtf(const QString& text) const;

    // Event procedures. Each is called through runEvent by its control's signal.
    void Form_Load();
    void Label2_Click();
    void goCmd_Click();
    void Text4_KeyPress(char16_t keyAscii);
    void Command2_Click();
    void Command3_Click();
    void Grid1_RowActivate(int first, int second);

    // The steps the commands are made of.
    void MakeSearchUrl();
    void FetchResults();
    void ShowResults();

    // Runs an event procedure. An error it raises ends it there and is shown in a message box
    // with its number and description; the window stays open and usable. A procedure asked for
    // while another runs waits for that one to end. Closing the window during a download ends
    // the procedure without a message and closes the window.
    void runEvent(const std::function<void()>& procedure);

    // Searches for the film of a video file (its path; only the name is read) as if its keyword
    // had been typed and Enter pressed. The video's other title is offered first in the keyword
    // box's list, and rows of the video's release stand out on every page of that search.
    void searchVideoFile(const QString& path);

    // Opens the dialog that places a subtitle of this archive (or this subtitle file) beside the
    // video of the shown search, or another the user gives.
    void placeSubtitleFrom(const QString& archivePath);

    const SiteConfig& site() const { return site_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    // A drag, or its drop, that brings a local file or folder: the window takes only those.
    static bool isVideoFileDrag(const QEvent* event);
    void dropEvent(QDropEvent* event) override;
    static bool isSubtitleDrop(const QString& path);
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void setTabOrder();
    void connectEvents();
    template <typename Sender, typename Signal, typename... Args>
    void route(Sender* sender, Signal signal, void (Form1::*procedure)(Args...));
    void setPageCaption();
    bool runToEnd(const std::function<void()>& procedure);
    void addConveniences();

    Platform platform_;
    SiteConfig site_;
    HeldInput* heldInput_ = nullptr;  // input given while a procedure waited on a download
    bool procedureRunning_ = false;
    bool closed_ = false;  // closed and not shown again: input that comes late starts nothing
    std::vector<std::function<void()>> waitingProcedures_;
    ResultActions* resultActions_ = nullptr;    // row menu, copying, visited rows
    KeywordHistory* keywordHistory_ = nullptr;  // keywords searched, offered by Text4
    ResultFilterBar* resultFilter_ = nullptr;   // narrows the grid to the rows asked for
    // Rows of the video's release when the search started from a video file, and the video file
    // of the search about to start.
    VideoReleaseMarks* videoMarks_ = nullptr;
    ReleaseName videoOfNextSearch_;
    QString videoFileOfNextSearch_;               // its path: a subtitle may go beside it
    SubtitlePlacing* subtitlePlacing_ = nullptr;  // the dialog, the bar, the download folder
};

}  // namespace vantrel
