#include "result_view/result_filter_bar.h"

#include "grid/grid.h"
#include "results/result_columns.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace vantrel {

ResultFilterBar::ResultFilterBar(Grid& grid, QWidget* parent)
    : QWidget(parent),
      grid_(grid),
      words_(new QLineEdit(this)),
      language_(new QComboBox(this)),
      count_(new QLabel(this)),
      close_(new QToolButton(this)),
      typed_(new QTimer(this)) {
    hide();
    words_->setPlaceholderText(QStringLiteral("名称、版本、电影全名"));
    words_->setAccessibleName(QStringLiteral("筛选"));
    words_->setClearButtonEnabled(true);
    language_->setAccessibleName(QStringLiteral("语言"));
    language_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setAccessibleName(QStringLiteral("关闭筛选"));
    close_->setToolTip(QStringLiteral("关闭筛选 (Esc)"));

    // On Linux a screen reader names a combo box by its current text ("全部语言"); the label it
    // is the buddy of says what the choice is for (the accessible "labelled by" relation).
    auto* languageLabel = new QLabel(QStringLiteral("语言"), this);
    languageLabel->setBuddy(language_);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 4, 0, 0);
    row->addWidget(words_, 1);
    row->addWidget(languageLabel);
    row->addWidget(language_);
    row->addWidget(count_);
    row->addWidget(close_);

    // The bar's controls come after the grid, which is the last of the window's.
    QWidget::setTabOrder(&grid_, words_);
    QWidget::setTabOrder(words_, language_);
    QWidget::setTabOrder(language_, close_);

    // A keystroke only starts the timer, which runs once the keys already waiting have reached
    // the box: a burst of typing is filtered for once, and the box never waits on the grid.
    typed_->setSingleShot(true);
    typed_->setInterval(0);
    connect(typed_, &QTimer::timeout, this, &ResultFilterBar::refilter);
    connect(words_, &QLineEdit::textChanged, typed_, qOverload<>(&QTimer::start));
    connect(language_, &QComboBox::currentIndexChanged, this, [this](int index) {
        chosenLanguage_ = index > 0 ? language_->itemText(index) : QString();
        refilter();
    });
    connect(close_, &QToolButton::clicked, this, &ResultFilterBar::dismiss);
}

void ResultFilterBar::keyPressEvent(QKeyEvent* event) {
    // Escape reaches the bar as a key its controls pass on, not as a shortcut: a shortcut would
    // take it before a download's wait, which must see it to cancel, and would run it afterwards.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        dismiss();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ResultFilterBar::open() {
    if (isHidden()) {
        focusBefore_ = QApplication::focusWidget();
        gridPlace_ = grid_.geometry();
        const int height = sizeHint().height();
        grid_.setGeometry(gridPlace_.adjusted(0, 0, 0, -height));
        setGeometry(gridPlace_.left(), gridPlace_.bottom() + 1 - height, gridPlace_.width(),
                    height);
        show();
        readPage();
        refilter();
    }
    words_->setFocus(Qt::ShortcutFocusReason);
    words_->selectAll();
}

void ResultFilterBar::dismiss() {
    if (isHidden()) {
        return;
    }
    words_->clear();
    typed_->stop();
    chosenLanguage_.clear();
    refilter();       // every row shows again
    filter_.clear();  // the folded page is of no use until the bar opens again
    QWidget* back = focusBefore_ ? focusBefore_.data() : &grid_;
    back->setFocus(Qt::OtherFocusReason);
    hide();
    grid_.setGeometry(gridPlace_);
}

void ResultFilterBar::pageFilled() {
    // A hidden bar filters nothing, and a new page's rows all show.
    if (!isHidden()) {
        readPage();
        refilter();
    }
}

int ResultFilterBar::dataRows() const {
    return std::max(grid_.Rows() - 1, 0);
}

void ResultFilterBar::readPage() {
    filter_.clear();
    const int rows = grid_.Rows();
    for (int row = 1; row < rows; ++row) {
        filter_.addRow(grid_.Cell(row, FileName).Text(), grid_.Cell(row, Version).Text(),
                       grid_.Cell(row, FilmName).Text(), grid_.Cell(row, Language).Text());
    }
    listLanguages();
}

void ResultFilterBar::listLanguages() {
    // A language chosen on an earlier page stays chosen, even where this page lacks it.
    const QSignalBlocker quiet(language_);
    language_->clear();
    language_->addItem(QStringLiteral("全部语言"));
    int chosen = 0;
    const QString chosenKey = foldedForFilter(chosenLanguage_).trimmed();
    for (const QString& language : filter_.languages()) {
        language_->addItem(language);
        if (!chosenKey.isEmpty() && foldedForFilter(language).trimmed() == chosenKey) {
            chosen = language_->count() - 1;
        }
    }
    if (!chosenKey.isEmpty() && chosen == 0) {
        language_->addItem(chosenLanguage_);
        chosen = language_->count() - 1;
    }
    language_->setCurrentIndex(chosen);
}

void ResultFilterBar::refilter() {
    const int rows = dataRows();
    if (filter_.rowCount() != rows && !isHidden()) {
        readPage();  // the grid changed rows without a fill, as a failed one can leave it
    }
    const std::vector<bool> shown = filter_.rowCount() == rows
                                        ? filter_.shownRows(words_->text(), chosenLanguage_)
                                        : std::vector<bool>(static_cast<std::size_t>(rows), true);
    // Hiding a row resizes its section of the vertical header; with updates on, each resize
    // works out the section's place anew, which makes hiding a whole page take seconds.
    QHeaderView* sections = grid_.verticalHeader();
    sections->setUpdatesEnabled(false);
    grid_.setUpdatesEnabled(false);
    int shownCount = 0;
    int firstShown = -1;
    for (int row = 0; row < rows; ++row) {
        const bool show = shown[static_cast<std::size_t>(row)];
        if (grid_.isRowHidden(row) == show) {
            grid_.setRowHidden(row, !show);
        }
        if (show) {
            ++shownCount;
            firstShown = firstShown < 0 ? row : firstShown;
        }
    }
    grid_.setUpdatesEnabled(true);
    sections->setUpdatesEnabled(true);

    // A hidden row must not stay current: keys, the menu and copying would act on it unseen.
    const QModelIndex current = grid_.currentIndex();
    if (current.isValid() && grid_.isRowHidden(current.row())) {
        grid_.setCurrentIndex(firstShown >= 0 ? grid_.model()->index(firstShown, current.column())
                                              : QModelIndex());
    }
    count_->setText(QStringLiteral("显示 %1 / %2 条").arg(shownCount).arg(rows));
    count_->setAccessibleName(count_->text());
}

}  // namespace vantrel
