#include "grid/grid.h"

#include "grid/grid_delegate.h"
#include "grid/grid_errors.h"
#include "grid/grid_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace vantrel {

namespace {

constexpr int kRowPadding = 3;  // pixels above and below one line of text

}  // namespace

Grid::Grid(QWidget* parent)
    : QTableView(parent),
      model_(new GridModel(modelRow(kDesignRows), kDesignCols, this)),
      delegate_(new GridDelegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move inside it
    setShowGrid(false);          // the delegate draws the lines, in the grid's own colour
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionsClickable(false);  // no sorting, no column selection
    horizontalHeader()->setHighlightSections(false);
    fitRowsToFont();

    for (const GridMemberInfo& info : kGridMembers) {
        setMember(info.member, info.initial);
    }
}

Grid::~Grid() = default;

int Grid::Rows() const {
    return model_->headerShown() ? gridRow(model_->rows()) : 0;
}

void Grid::setRows(int n) {
    if (n < 0) {
        throw invalidGridValue();
    }
    // Without row 0 the header shows nothing, but keeps its texts for when the row comes back.
    model_->setRows(n > 0 ? modelRow(n) : 0);
    model_->setHeaderShown(n > 0);
}

int Grid::Cols() const {
    return model_->cols();
}

GridCell Grid::Cell(int row, int col) {
    checkRow(row);
    checkCol(col);
    return GridCell(this, row, col);
}

GridColumn Grid::Column(int col) {
    checkCol(col);
    return GridColumn(this, col);
}

GridRange Grid::Range(int firstRow, int firstCol, int lastRow, int lastCol) {
    GridRange range(this, firstRow, firstCol, lastRow, lastCol);
    if (!range.isEmpty()) {
        checkRow(firstRow);
        checkRow(lastRow);
        checkCol(firstCol);
        checkCol(lastCol);
    }
    return range;
}

GridActiveCell Grid::ActiveCell() const {
    return GridActiveCell(this);
}

GridFont Grid::Font() {
    return GridFont(this);
}

void Grid::setRowTexts(int row, int firstCol, const QString* const* texts, int count) {
    if (count <= 0) {
        return;
    }
    checkRow(row);
    checkCol(firstCol);
    checkCol(firstCol + count - 1);
    if (row == 0) {
        for (int i = 0; i < count; ++i) {
            model_->setHeaderText(firstCol + i, *texts[i]);
        }
    } else {
        model_->setRowTexts(modelRow(row), firstCol, texts, count);
    }
}

void Grid::ResetRowHeight(int row) {
    checkRow(row);
    if (row == 0) {
        return;  // the header's height follows the font by itself
    }
    const int section = modelRow(row);
    const int height = verticalHeader()->defaultSectionSize();
    if (rowHeight(section) != height) {
        setRowHeight(section, height);
    }
}

void Grid::checkRow(int row) const {
    if (row < 0 || row >= Rows()) {
        throw subscriptOutOfRange();
    }
}

void Grid::checkCol(int col) const {
    if (col < 0 || col >= model_->cols()) {
        throw subscriptOutOfRange();
    }
}

const QString& Grid::cellText(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return row == 0 ? model_->headerText(col) : model_->text(modelRow(row), col);
}

void Grid::setCellText(int row, int col, QString text) {
    checkRow(row);
    checkCol(col);
    if (row == 0) {
        model_->setHeaderText(col, std::move(text));
    } else {
        model_->setText(modelRow(row), col, std::move(text));
    }
}

void Grid::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menuKey) {
        event->accept();
        queueKeyboardMenu();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        // What a row copies is the caller's to say, not the current cell's text.
        event->accept();
        if (currentIndex().isValid()) {
            emit copyRequested(gridRow(currentIndex().row()));
        }
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex().isValid()) {
        event->accept();
        activateRow(currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        activateRow(index);
    }
}

void Grid::activateRow(const QModelIndex& index) {
    // The handler reads the active cell, so it must stand on the chosen row first.
    if (currentIndex().row() != index.row()) {
        setCurrentIndex(index);
    }
    emit rowActivated(1, 0);
}

void Grid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        fitRowsToFont();
    }
    QTableView::changeEvent(event);
}

void Grid::fitRowsToFont() {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2 * kRowPadding);
}

}  // namespace vantrel
