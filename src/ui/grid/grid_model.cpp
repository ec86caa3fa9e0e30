#include "grid/grid_model.h"

#include <QFont>
#include <QMetaObject>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace vantrel {
namespace {

const QString kVideoReleaseNote = QStringLiteral("（与视频版本相符）");

// Bold alone: the rest comes from the grid's font.
QFont boldFont() {
    QFont font;
    font.setBold(true);
    return font;
}

}  // namespace

GridModel::GridModel(int rows, int cols, QObject* parent)
    : QAbstractTableModel(parent), cols_(cols), header_(static_cast<std::size_t>(cols)) {
    setRows(rows);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
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
        case Qt::AccessibleDescriptionRole: {
            // The whole text, however narrow the column, whether the row was opened and whether
            // it is the release of the video searched from.
            QString description = text;
            if (isVisited(index.row())) {
                description += QStringLiteral("（已访问）");
            }
            return isVideoRelease(index.row()) ? description + kVideoReleaseNote : description;
        }
        case Qt::ToolTipRole:
            return isVideoRelease(index.row()) ? QVariant(text + kVideoReleaseNote) : QVariant();
        case Qt::FontRole:
            return isVideoRelease(index.row()) ? QVariant(boldFont()) : QVariant();
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
    return headerShown_ ? header_[section] : QString();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    // Never editable: the grid is read-only by design.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void GridModel::setRows(int n) {
    const std::size_t newCellCount = static_cast<std::size_t>(n) * cols_;
    if (n < rows_) {
        clampPendingTo(n);
        beginRemoveRows(QModelIndex(), n, rows_ - 1);
        cells_.resize(newCellCount);
        rows_ = n;
        endRemoveRows();
    } else if (n > rows_) {
        cells_.resize(newCellCount);  // may throw before anything is announced
        beginInsertRows(QModelIndex(), rows_, n - 1);
        rows_ = n;
        endInsertRows();
    }
}

void GridModel::setHeaderShown(bool shown) {
    if (shown != headerShown_) {
        headerShown_ = shown;
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    }
}

void GridModel::setVisitedRows(std::function<bool(int row)> isVisited) {
    isVisited_ = std::move(isVisited);
    rowMarksChanged();
}

void GridModel::setVideoReleaseRows(std::function<bool(int row)> isVideoRelease) {
    isVideoRelease_ = std::move(isVideoRelease);
    rowMarksChanged();
}

void GridModel::rowMarksChanged() {
    if (rows_ > 0) {
        emit dataChanged(
            index(0, 0), index(rows_ - 1, cols_ - 1),
            {Qt::ForegroundRole, Qt::FontRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
    }
}

const QString& GridModel::text(int row, int col) const {
    return cells_[static_cast<std::size_t>(row) * cols_ + col];
}

void GridModel::setText(int row, int col, QString text) {
    cells_[static_cast<std::size_t>(row) * cols_ + col] = std::move(text);
    noteChanged(row, col);
}

void GridModel::setRowTexts(int row, int firstCol, const QString* const* texts, int count) {
    QString* const cells = &cells_[static_cast<std::size_t>(row) * cols_ + firstCol];
    for (int i = 0; i < count; ++i) {
        cells[i] = *texts[i];
    }
    noteChanged(row, firstCol);
    noteChanged(row, firstCol + count - 1);
}

const QString& GridModel::headerText(int col) const {
    return header_[static_cast<std::size_t>(col)];
}

void GridModel::setHeaderText(int col, QString text) {
    header_[static_cast<std::size_t>(col)] = std::move(text);
    noteHeaderChanged(col);
}

void GridModel::noteChanged(int row, int col) {
    if (lastRow_ < 0) {
        firstRow_ = lastRow_ = row;
        firstCol_ = lastCol_ = col;
    } else {
        firstRow_ = std::min(firstRow_, row);
        lastRow_ = std::max(lastRow_, row);
        firstCol_ = std::min(firstCol_, col);
        lastCol_ = std::max(lastCol_, col);
    }
    queueFlush();
}

void GridModel::noteHeaderChanged(int col) {
    firstHeaderCol_ = lastHeaderCol_ < 0 ? col : std::min(firstHeaderCol_, col);
    lastHeaderCol_ = std::max(lastHeaderCol_, col);
    queueFlush();
}

void GridModel::queueFlush() {
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { flushChanges(); }, Qt::QueuedConnection);
    }
}

void GridModel::clampPendingTo(int rowCount) {
    lastRow_ = std::min(lastRow_, rowCount - 1);
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
