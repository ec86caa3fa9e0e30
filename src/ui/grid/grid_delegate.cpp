#include "grid/grid_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>

#include <cmath>

namespace vantrel {

QColor textColourOn(const QColor& background) {
    // WCAG's relative luminance; black and white contrast equally with 0.179.
    const auto linear = [](float channel) {
        return channel <= 0.04045F ? channel / 12.92F : std::pow((channel + 0.055F) / 1.055F, 2.4F);
    };
    const float luminance = 0.2126F * linear(background.redF()) +
                            0.7152F * linear(background.greenF()) +
                            0.0722F * linear(background.blueF());
    return luminance > 0.179F ? Qt::black : Qt::white;
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // The first data row is plain, the second tinted, and so on.
    const QColor background = index.row() % 2 == 0 ? look_.cellColour : look_.alternateColour;
    option->backgroundBrush = background;
    // A visited row keeps its colour when it is the chosen one too.
    const QVariant visited = index.data(Qt::ForegroundRole);
    if (visited.isValid()) {
        option->palette.setColor(QPalette::HighlightedText, visited.value<QColor>());
    } else {
        option->palette.setColor(QPalette::Text, textColourOn(background));
    }
}

bool GridDelegate::textIsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (cell.text.isEmpty()) {
        return false;
    }
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The style draws the text inside its text rectangle, less a margin on either side.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &cell, widget) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    return cell.fontMetrics.horizontalAdvance(cell.text) > textRect.width() - 2 * margin;
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    // A cell's own tip (a note on its row) shows always; else the text, where it is cut short.
    const QString tip = index.data(Qt::ToolTipRole).toString();
    if (!tip.isEmpty() || textIsCut(option, index)) {
        QToolTip::showText(event->globalPos(), tip.isEmpty() ? index.data().toString() : tip,
                           view->viewport(), option.rect);
    } else {
        QToolTip::hideText();
    }
    return true;
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
