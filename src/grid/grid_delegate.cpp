#include "grid/grid_delegate.h"

#include <QPainter>
#include <QPen>

namespace vantrel {

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The first data row is plain, the second tinted, and so on.
    option->backgroundBrush = index.row() % 2 == 0 ? look_.cellColour : look_.alternateColour;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!look_.linesShown) {
        return;
    }
    // Each cell draws its right and bottom edge: together they make the grid.
    painter->save();
    painter->setPen(QPen(look_.lineColour, 0, look_.lineStyle));
    const QRect& rect = option.rect;
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->restore();
}

}  // namespace vantrel
