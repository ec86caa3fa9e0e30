#pragma once

#include "grid/grid_members.h"
#include "grid/grid_proxies.h"

#include <QTableView>
#include <QVariant>

#include <functional>

namespace vantrel {

class GridDelegate;
class GridModel;

// The result grid: a read-only table of text cells addressed (row, column) from 0, row 0 being
// the header row. Row 0 is drawn as the view's fixed header; data row k is the view's row k - 1.
// Whole rows are selected; a double click or Enter on a row chooses it (rowActivated).
class Grid : public QTableView {
    Q_OBJECT
public:
    static constexpr int kDesignCols = 9;
    static constexpr int kDesignRows = 1;  // the header row alone

    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    int Rows() const;
    void setRows(int n);  // keeps rows 0 to n - 1 and the header texts
    int Cols() const;

    // Addressing outside the grid raises the subscript error.
    GridCell Cell(int row, int col);
    GridColumn Column(int col);
    GridRange Range(int firstRow, int firstCol, int lastRow, int lastCol);
    GridActiveCell ActiveCell() const;
    GridFont Font();

    // Writes count cells of data row `row`, texts[i] into column firstCol + i, as many
    // Cell(row, col).setText calls would; for a grid filled a row at a time.
    void setRowTexts(int row, int firstCol, const QString* const* texts, int count);

    // Gives a row the grid's default height again (the height of one line of its font).
    void ResetRowHeight(int row);

    // The settings and colours known by identifier (grid_members.h). A value the member cannot
    // take raises the invalid-argument error. The grid keeps no copy: the look is the state.
    void setMember(GridMember member, const QVariant& value);

    // Makes a data row current and chooses it, exactly as a double click on it would.
    void chooseRow(int row);

    // Rows for which isVisited(row) holds show their texts in the visited colour and say so to
    // assistive tools; rows for which isVideoRelease(row) holds show in bold and say in their
    // tool tips and descriptions that they match the video searched from. Call refreshRowMarks()
    // when an answer may have changed.
    void setVisitedRows(std::function<bool(int row)> isVisited);
    void setVideoReleaseRows(std::function<bool(int row)> isVideoRelease);
    void refreshRowMarks();

signals:
    // Raised with first = 1 when the user chooses a row; the active cell then stands on it.
    void rowActivated(int first, int second);
    // The user asked for a data row's menu (right click, the Menu key or Shift+F10); the row is
    // current by then. Never raised for the header row or the empty area.
    void rowMenuRequested(int row, const QPoint& globalPos);
    // The user pressed the copy key (Ctrl+C) on a current data row.
    void copyRequested(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class GridCell;
    friend class GridColumn;
    friend class GridRange;
    friend class GridActiveCell;
    friend class GridFont;

    // Grid rows count the header as row 0; the model's rows are the data rows alone. These two
    // are the only places that shift between them.
    static int modelRow(int row) { return row - 1; }
    static int gridRow(int modelRow) { return modelRow + 1; }
    // A test of grid rows as a test of the model's rows.
    static std::function<bool(int)> onModelRows(std::function<bool(int row)> test);

    // Addressing outside the grid raises the subscript error.
    void checkRow(int row) const;
    void checkCol(int col) const;
    const QString& cellText(int row, int col) const;
    void setCellText(int row, int col, QString text);

    void activateRow(const QModelIndex& index);
    void queueKeyboardMenu();
    void fitRowsToFont();
    void applyMember(GridMember member, qint64 value);

    GridModel* model_;
    GridDelegate* delegate_;
    bool keyboardMenuQueued_ = false;
};

}  // namespace vantrel
