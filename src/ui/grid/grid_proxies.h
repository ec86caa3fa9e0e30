#pragma once

#include <QString>
#include <QtGlobal>

namespace vantrel {

class Grid;

// Light handles onto parts of a grid, as the grid's callers use them: a grid pointer and
// coordinates, cheap to copy. Each operation checks its coordinates against the grid as it is
// then, so a handle kept across a change of the row count raises rather than reaching outside.

class GridCell {
public:
    GridCell(Grid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}
    QString Text() const;
    void setText(const QString& text);
    void setText(QString&& text);

private:
    Grid* grid_;
    int row_;
    int col_;
};

class GridColumn {
public:
    GridColumn(Grid* grid, int col) : grid_(grid), col_(col) {}
    void setWidth(int pixels);  // negative widths raise the invalid-argument error

private:
    Grid* grid_;
    int col_;
};

// A block of cells, first to last inclusive. A block whose last row or column lies before its
// first is empty: it stands for nothing and every operation on it does nothing.
class GridRange {
public:
    GridRange(Grid* grid, int firstRow, int firstCol, int lastRow, int lastCol)
        : grid_(grid),
          firstRow_(firstRow),
          firstCol_(firstCol),
          lastRow_(lastRow),
          lastCol_(lastCol) {}
    bool isEmpty() const { return lastRow_ < firstRow_ || lastCol_ < firstCol_; }
    // Locks the cells against changes by the user. Every cell of this grid is read-only already,
    // so the lock changes nothing.
    void setLocked(bool) {}

private:
    friend class Grid;
    Grid* grid_;
    int firstRow_;
    int firstCol_;
    int lastRow_;
    int lastCol_;
};

class GridActiveCell {
public:
    explicit GridActiveCell(const Grid* grid) : grid_(grid) {}
    // The row of the current cell, 0 (the header row) when there is none. Read as a signed
    // 16-bit value: a row above 32767 raises the overflow error.
    qint16 Row() const;

private:
    const Grid* grid_;
};

class GridFont {
public:
    explicit GridFont(Grid* grid) : grid_(grid) {}
    void setName(const QString& family);  // a missing face falls back through fontconfig
    void setSize(int points);             // sizes below 1 raise the invalid-argument error

private:
    Grid* grid_;
};

}  // namespace vantrel
