#include "grid/grid_proxies.h"

#include "base/int16.h"
#include "grid/grid.h"
#include "grid/grid_errors.h"

#include <QFont>

#include <utility>

namespace vantrel {

QString GridCell::Text() const {
    return grid_->cellText(row_, col_);
}

void GridCell::setText(const QString& text) {
    grid_->setCellText(row_, col_, text);
}

void GridCell::setText(QString&& text) {
    grid_->setCellText(row_, col_, std::move(text));
}

void GridColumn::setWidth(int pixels) {
    grid_->checkCol(col_);
    if (pixels < 0) {
        throw invalidGridValue();
    }
    grid_->setColumnWidth(col_, pixels);
}

qint16 GridActiveCell::Row() const {
    const QModelIndex current = grid_->currentIndex();
    return toInt16(current.isValid() ? Grid::gridRow(current.row()) : 0);
}

void GridFont::setName(const QString& family) {
    QFont font = grid_->font();
    font.setFamily(family);
    grid_->setFont(font);
}

void GridFont::setSize(int points) {
    if (points < 1) {
        throw invalidGridValue();
    }
    QFont font = grid_->font();
    font.setPointSize(points);
    grid_->setFont(font);
}

}  // namespace vantrel
