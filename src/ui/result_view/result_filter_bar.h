#pragma once

#include "results/result_filter.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace vantrel {

class Grid;

// Narrows the result grid to the rows that hold the words typed and have the language chosen.
// The bar shows below the grid, inside the result frame, and borrows its height from the grid
// while it shows. Rows are only hidden, never removed or moved: their numbers, the active cell
// and all that is done with a row stay as without the bar. The filter holds across pages and
// searches until the bar is closed, which clears it; nothing of it is kept on disk.
class ResultFilterBar final : public QWidget {
    Q_OBJECT
public:
    ResultFilterBar(Grid& grid, QWidget* parent);

    // Shows the bar, if it is hidden, and puts the focus in its text box.
    void open();
    // Clears the filter, hides the bar, gives the grid its height back and the focus back to
    // where it was before the bar opened.
    void dismiss();
    // Called after every fill of the grid: reads the new page and applies the filter to it.
    void pageFilled();

    QLineEdit* wordsBox() const { return words_; }
    QComboBox* languageBox() const { return language_; }
    QLabel* countLabel() const { return count_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readPage();
    void listLanguages();
    void refilter();
    int dataRows() const;

    Grid& grid_;
    QLineEdit* words_;
    QComboBox* language_;
    QLabel* count_;
    QToolButton* close_;
    QTimer* typed_;  // gathers the keys typed in a burst into one refilter

    ResultFilter filter_;
    QString chosenLanguage_;  // empty: all languages
    QRect gridPlace_;         // the grid's designed place, given back when the bar hides
    QPointer<QWidget> focusBefore_;
};

}  // namespace vantrel
