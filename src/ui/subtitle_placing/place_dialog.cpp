#include "subtitle_placing/place_dialog.h"

#include "desktop/busy_cursor.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace vantrel {
namespace {

QString desktopVideoChooser(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("选择视频"), folder,
                                        QStringLiteral("视频 (*.mkv *.mp4 *.avi *.m2ts *.ts "
                                                       "*.mov *.wmv *.rmvb *.webm *.vob);;"
                                                       "所有文件 (*)"));
}

// Path and occurrence name one entry of the archive, whatever video it is ranked for.
bool sameEntry(const SubtitleEntry& a, const SubtitleEntry& b) {
    return a.path == b.path && a.occurrence == b.occurrence;
}

std::optional<std::size_t> findEntry(const std::vector<SubtitleEntry>& entries,
                                     const SubtitleEntry& wanted) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (sameEntry(entries[i], wanted)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

PlaceDialog::PlaceDialog(QString archivePath, const QString& initialVideo, const SubtitleList& list,
                         QWidget* parent)
    : QDialog(parent),
      archivePath_(std::move(archivePath)),
      rankedFor_(initialVideo),
      video_(new QLineEdit(initialVideo, this)),
      subtitles_(new QTreeWidget(this)),
      problem_(new QLabel(this)),
      browse_(new QPushButton(QStringLiteral("浏览…"), this)),
      place_(new QPushButton(QStringLiteral("放到视频旁(&P)"), this)),
      chooseVideo_(desktopVideoChooser) {
    setWindowTitle(QStringLiteral("放到视频旁"));
    auto* archive = new QLabel(this);
    archive->setTextFormat(Qt::PlainText);
    archive->setText(QStringLiteral("字幕包：") + QFileInfo(archivePath_).fileName());

    auto* videoLabel = new QLabel(QStringLiteral("视频(&V)"), this);
    videoLabel->setBuddy(video_);
    video_->setAccessibleName(QStringLiteral("视频"));
    video_->setPlaceholderText(QStringLiteral("字幕要放在哪个视频旁"));
    browse_->setAutoDefault(false);

    auto* listLabel = new QLabel(QStringLiteral("字幕(&S)"), this);
    listLabel->setBuddy(subtitles_);
    subtitles_->setAccessibleName(QStringLiteral("字幕"));
    subtitles_->setHeaderLabels(
        {QStringLiteral("字幕"), QStringLiteral("语言"), QStringLiteral("格式")});
    subtitles_->setRootIsDecorated(false);
    subtitles_->setUniformRowHeights(true);
    subtitles_->setAllColumnsShowFocus(true);
    subtitles_->header()->setStretchLastSection(false);
    subtitles_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    subtitles_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    subtitles_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    problem_->hide();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(place_, QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    place_->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(videoLabel, 0, 0);
    grid->addWidget(video_, 0, 1);
    grid->addWidget(browse_, 0, 2);
    auto* column = new QVBoxLayout(this);
    column->addWidget(archive);
    column->addLayout(grid);
    column->addWidget(listLabel);
    column->addWidget(subtitles_, 1);
    column->addWidget(problem_);
    column->addWidget(buttons);
    resize(560, 340);

    // The accept role's button asks; only the caller closes the dialog, once the subtitle is there.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        rerank();  // a video typed and not yet left
        const std::optional<std::size_t> chosen = chosenRow();
        if (chosen && !video().isEmpty()) {
            emit placeRequested(list_.entries.at(*chosen), video());
        }
    });
    QWidget::setTabOrder(video_, browse_);
    QWidget::setTabOrder(browse_, subtitles_);
    QWidget::setTabOrder(subtitles_, buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, &PlaceDialog::browse);
    connect(video_, &QLineEdit::editingFinished, this, &PlaceDialog::rerank);
    connect(video_, &QLineEdit::textChanged, this, &PlaceDialog::updatePlaceButton);
    connect(subtitles_, &QTreeWidget::itemSelectionChanged, this, &PlaceDialog::updatePlaceButton);
    showList(list);
    if (initialVideo.isEmpty()) {
        video_->setFocus();
    } else {
        subtitles_->setFocus();
    }
}

QString PlaceDialog::video() const {
    return video_->text().trimmed();
}

void PlaceDialog::browse() {
    const QString start = video().isEmpty() ? QFileInfo(archivePath_).absolutePath()
                                            : QFileInfo(video()).absolutePath();
    const QString chosen = chooseVideo_(this, start);
    if (!chosen.isEmpty()) {
        video_->setText(QDir::toNativeSeparators(chosen));
        rerank();
    }
}

void PlaceDialog::rerank() {
    if (video() == rankedFor_) {
        return;
    }
    rankedFor_ = video();
    const BusyCursor busy;
    showList(listSubtitles(archivePath_, rankedFor_));
}

void PlaceDialog::showList(const SubtitleList& list) {
    // Ranked for another video, the best may be another: it is chosen anew, unless the best two
    // tie, or the user chose a row other than the best offered: that choice stays where the new
    // list still holds it (placing may rank anew just before it places the chosen row).
    std::optional<std::size_t> keep;
    if (const std::optional<std::size_t> chosen = chosenRow()) {
        const SubtitleEntry& entry = list_.entries.at(*chosen);
        if (!(bestOffered_ && sameEntry(*bestOffered_, entry))) {
            keep = findEntry(list.entries, entry);
        }
    }
    list_ = list;
    subtitles_->clear();
    for (const SubtitleEntry& entry : list_.entries) {
        auto* item = new QTreeWidgetItem(
            subtitles_, {entry.path, subtitleLanguageLabel(entry.language), entry.format});
        item->setToolTip(0, entry.path);
    }
    bestOffered_.reset();
    if (keep) {
        subtitles_->setCurrentItem(subtitles_->topLevelItem(static_cast<int>(*keep)), 0,
                                   QItemSelectionModel::ClearAndSelect);
    } else if (QTreeWidgetItem* best = subtitles_->topLevelItem(0)) {
        // On a tie the focus may rest on the first row, but nothing is chosen for the user.
        subtitles_->setCurrentItem(
            best, 0,
            list_.bestTie ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
        if (!list_.bestTie) {
            bestOffered_ = list_.entries.front();
        }
    }
    QString problem = list_.message;
    if (list_.failure == SubtitleFailure::None && list_.bestTie) {
        problem = QStringLiteral("最好的两个字幕不分上下，请选一个。");
    }
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    updatePlaceButton();
}

std::optional<std::size_t> PlaceDialog::chosenRow() const {
    QTreeWidgetItem* current = subtitles_->currentItem();
    const int row =
        current != nullptr && current->isSelected() ? subtitles_->indexOfTopLevelItem(current) : -1;
    if (row < 0 || static_cast<std::size_t>(row) >= list_.entries.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void PlaceDialog::updatePlaceButton() {
    place_->setEnabled(chosenRow() && !video().isEmpty());
}

}  // namespace vantrel
