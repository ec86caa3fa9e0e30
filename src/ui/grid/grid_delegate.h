#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace vantrel {

// How the data cells are painted: their background, every second row tinted, and the lines
// between the cells. Drawn here rather than by the style, so the colours are exactly those set.
struct GridCellLook {
    QColor cellColour = Qt::white;
    QColor alternateColour = Qt::white;
    bool linesShown = true;
    QColor lineColour = Qt::lightGray;
    Qt::PenStyle lineStyle = Qt::SolidLine;
};

// Black or white, whichever reads better on `background`: the text colour that goes with a
// background the grid fixes, so that no desktop theme's text colour meets it.
QColor textColourOn(const QColor& background);

class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    GridCellLook& look() { return look_; }
    const GridCellLook& look() const { return look_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Whether the cell shows its text cut short. Only such a cell offers its text as a tooltip.
    bool textIsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    GridCellLook look_;
};

}  // namespace vantrel
