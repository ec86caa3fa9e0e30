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

// The texts of the grid as a plain table model: its rows are the data rows, counted from 0, and
// the header texts are its horizontal header. Coordinates are the caller's to check. All cells
// live in one flat vector; writing a text emits nothing at once, one queued notice covers a whole
// fill.
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

    // Keeps rows 0 to n - 1.
    void setRows(int n);

    // A hidden header shows no texts but keeps them for when it shows again.
    bool headerShown() const { return headerShown_; }
    void setHeaderShown(bool shown);

    const QString& text(int row, int col) const;
    void setText(int row, int col, QString text);
    // texts[i] into column firstCol + i of the row, for count columns; one notice for them all.
    void setRowTexts(int row, int firstCol, const QString* const* texts, int count);
    const QString& headerText(int col) const;
    void setHeaderText(int col, QString text);

    // Rows the test holds for are shown in the visited colour and described as visited.
    void setVisitedRows(std::function<bool(int row)> isVisited);
    // Rows the test holds for are shown in bold and described as the video's release.
    void setVideoReleaseRows(std::function<bool(int row)> isVideoRelease);
    // Either test may answer otherwise now.
    void rowMarksChanged();

private:
    bool isVisited(int row) const { return isVisited_ && isVisited_(row); }
    bool isVideoRelease(int row) const { return isVideoRelease_ && isVideoRelease_(row); }
    void noteChanged(int row, int col);
    void noteHeaderChanged(int col);
    void queueFlush();
    void clampPendingTo(int rowCount);
    void flushChanges();

    int rows_ = 0;
    int cols_;
    bool headerShown_ = true;
    std::vector<QString> header_;
    std::vector<QString> cells_;  // row by row
    std::function<bool(int row)> isVisited_;
    std::function<bool(int row)> isVideoRelease_;

    // Cells written since the last notice, and the header columns.
    bool flushQueued_ = false;
    int firstRow_ = 0, lastRow_ = -1, firstCol_ = 0, lastCol_ = -1;
    int firstHeaderCol_ = 0, lastHeaderCol_ = -1;
};

}  // namespace vantrel
