#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace vantrel {

// The texts of a visited row: the usual link purple, readable on white and on the tinted rows.
inline QColor visitedColour() {
    return QColor(85, 26, 139);
}

// The texts of the grid. Rows are numbered as callers number them: row 0 is the header row
// (shown by the view's horizontal header) and data row k is the model's row k - 1. All cells live
// in one flat vector; writing a text emits nothing at once, one queued notice covers a whole fill.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    GridModel(int rows, int cols, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int rows() const { return rows_; }
    int cols() const { return cols_; }

    // Keeps rows 0 to n - 1. The header texts survive n = 0 and show again once row 0 is back.
    void setRows(int n);

    // Both raise the subscript error for a cell outside the grid.
    const QString& text(int row, int col) const;
    void setText(int row, int col, QString text);

    void checkRow(int row) const;
    void checkCol(int col) const;

    // Rows the test holds for are shown in the visited colour and described as visited.
    void setVisitedRows(std::function<bool(int row)> isVisited);
    void visitedChanged();

private:
    int dataRows() const { return rows_ > 0 ? rows_ - 1 : 0; }
    bool isVisited(int modelRow) const { return isVisited_ && isVisited_(modelRow + 1); }
    QString& cellAt(int row, int col);
    void noteChanged(int row, int col);
    void clampPendingTo(int dataRowCount);
    void flushChanges();

    int rows_;
    int cols_;
    std::vector<QString> header_;  // row 0
    std::vector<QString> cells_;   // rows 1 and up, row by row
    std::function<bool(int row)> isVisited_;

    // Cells written since the last notice: data rows as model rows, plus the header columns.
    bool flushQueued_ = false;
    int firstRow_ = 0, lastRow_ = -1, firstCol_ = 0, lastCol_ = -1;
    int firstHeaderCol_ = 0, lastHeaderCol_ = -1;
};

}  // namespace vantrel
