#include "grid/grid_model.h"

#include "grid/grid_errors.h"

#include <QMetaObject>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace vantrel {

GridModel::GridModel(int rows, int cols, QObject* parent)
    : QAbstractTableModel(parent), rows_(0), cols_(cols), header_(static_cast<std::size_t>(cols)) {
    setRows(rows);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : dataRows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const QString& text = cells_[static_cast<std::size_t>(index.row()) * cols_ + index.column()];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return text;
        case Qt::AccessibleDescriptionRole:
            // The whole text, however narrow the column, and whether the row was opened.
            return isVisited(index.row()) ? text + QStringLiteral("（已访问）") : text;
        case Qt::ForegroundRole:
            return isVisited(index.row()) ? QVariant(visitedColour()) : QVariant();
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= cols_) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    // Without row 0 the header shows nothing, but keeps its texts for when the row comes back.
    return rows_ > 0 ? header_[section] : QString();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    // Never editable: the grid is read-only by design.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void GridModel::setRows(int n) {
    if (n < 0) {
        throw invalidGridValue();
    }
    const int oldDataRows = dataRows();
    const int newDataRows = n > 0 ? n - 1 : 0;
    const bool headerShownChanges = (rows_ > 0) != (n > 0);
    const std::size_t newCellCount = static_cast<std::size_t>(newDataRows) * cols_;
    if (newDataRows < oldDataRows) {
        clampPendingTo(newDataRows);
        beginRemoveRows(QModelIndex(), newDataRows, oldDataRows - 1);
        cells_.resize(newCellCount);
        rows_ = n;
        endRemoveRows();
    } else if (newDataRows > oldDataRows) {
        cells_.resize(newCellCount);  // may throw before anything is announced
        beginInsertRows(QModelIndex(), oldDataRows, newDataRows - 1);
        rows_ = n;
        endInsertRows();
    } else {
        rows_ = n;
    }
    if (headerShownChanges) {
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    }
}

void GridModel::setVisitedRows(std::function<bool(int row)> isVisited) {
    isVisited_ = std::move(isVisited);
    visitedChanged();
}

void GridModel::visitedChanged() {
    if (dataRows() > 0) {
        emit dataChanged(index(0, 0), index(dataRows() - 1, cols_ - 1),
                         {Qt::ForegroundRole, Qt::AccessibleDescriptionRole});
    }
}

void GridModel::checkRow(int row) const {
    if (row < 0 || row >= rows_) {
        throw subscriptOutOfRange();
    }
}

void GridModel::checkCol(int col) const {
    if (col < 0 || col >= cols_) {
        throw subscriptOutOfRange();
    }
}

const QString& GridModel::text(int row, int col) const {
    return const_cast<GridModel*>(this)->cellAt(row, col);
}

void GridModel::setText(int row, int col, QString text) {
    cellAt(row, col) = std::move(text);
    noteChanged(row, col);
}

QString& GridModel::cellAt(int row, int col) {
    checkRow(row);
    checkCol(col);
    if (row == 0) {
        return header_[col];
    }
    return cells_[static_cast<std::size_t>(row - 1) * cols_ + col];
}

void GridModel::noteChanged(int row, int col) {
    if (row == 0) {
        firstHeaderCol_ = lastHeaderCol_ < 0 ? col : std::min(firstHeaderCol_, col);
        lastHeaderCol_ = std::max(lastHeaderCol_, col);
    } else {
        const int modelRow = row - 1;
        if (lastRow_ < 0) {
            firstRow_ = lastRow_ = modelRow;
            firstCol_ = lastCol_ = col;
        } else {
            firstRow_ = std::min(firstRow_, modelRow);
            lastRow_ = std::max(lastRow_, modelRow);
            firstCol_ = std::min(firstCol_, col);
            lastCol_ = std::max(lastCol_, col);
        }
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { flushChanges(); }, Qt::QueuedConnection);
    }
}

void GridModel::clampPendingTo(int dataRowCount) {
    lastRow_ = std::min(lastRow_, dataRowCount - 1);
    if (firstRow_ > lastRow_) {
        lastRow_ = -1;
    }
}

void GridModel::flushChanges() {
    flushQueued_ = false;
    if (lastRow_ >= 0) {
        const QModelIndex topLeft = index(firstRow_, firstCol_);
        const QModelIndex bottomRight = index(lastRow_, lastCol_);
        lastRow_ = -1;
        emit dataChanged(topLeft, bottomRight, {Qt::DisplayRole, Qt::AccessibleTextRole});
    }
    if (lastHeaderCol_ >= 0) {
        const int first = firstHeaderCol_;
        const int last = lastHeaderCol_;
        lastHeaderCol_ = -1;
        emit headerDataChanged(Qt::Horizontal, first, last);
    }
}

}  // namespace vantrel
