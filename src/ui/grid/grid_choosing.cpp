// Choosing a row for the caller: the row menu and the visited look.
#include "grid/grid.h"

#include "grid/grid_errors.h"
#include "grid/grid_model.h"

#include <QContextMenuEvent>
#include <QMetaObject>

#include <utility>

namespace vantrel {

void Grid::chooseRow(int row) {
    checkRow(row);
    if (row == 0) {
        throw subscriptOutOfRange();  // the header row is no result
    }
    const int col = currentIndex().isValid() ? currentIndex().column() : 0;
    activateRow(model_->index(modelRow(row), col));
}

void Grid::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        event->accept();
        queueKeyboardMenu();
        return;
    }
    // The header passes its own right clicks up to here: only the cells' area counts.
    const QPoint pos = viewport()->mapFromGlobal(event->globalPos());
    const QModelIndex index = viewport()->rect().contains(pos) ? indexAt(pos) : QModelIndex();
    if (!index.isValid()) {
        event->ignore();
        return;
    }
    event->accept();
    if (currentIndex() != index) {
        setCurrentIndex(index);
    }
    emit rowMenuRequested(gridRow(index.row()), event->globalPos());
}

void Grid::queueKeyboardMenu() {
    // Some platforms send both the Menu key and a menu request for one press: one menu serves.
    if (keyboardMenuQueued_) {
        return;
    }
    keyboardMenuQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            keyboardMenuQueued_ = false;
            const QModelIndex index = currentIndex();
            if (!index.isValid()) {
                return;
            }
            scrollTo(index);
            const QRect cell = visualRect(index);
            emit rowMenuRequested(gridRow(index.row()),
                                  viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom())));
        },
        Qt::QueuedConnection);
}

std::function<bool(int)> Grid::onModelRows(std::function<bool(int row)> test) {
    if (!test) {
        return {};
    }
    return [test = std::move(test)](int row) { return test(gridRow(row)); };
}

void Grid::setVisitedRows(std::function<bool(int row)> isVisited) {
    model_->setVisitedRows(onModelRows(std::move(isVisited)));
}

void Grid::setVideoReleaseRows(std::function<bool(int row)> isVideoRelease) {
    model_->setVideoReleaseRows(onModelRows(std::move(isVideoRelease)));
}

void Grid::refreshRowMarks() {
    model_->rowMarksChanged();
}

}  // namespace vantrel
