// The members of the grid known by identifier, and what each does to the grid's look.
#include "grid/grid.h"

#include "grid/grid_delegate.h"
#include "grid/grid_errors.h"

#include <QHeaderView>
#include <QPalette>

namespace vantrel {

namespace {

QColor colourOf(qint64 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

qint64 checkedValue(const GridMemberInfo& info, const QVariant& value) {
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok) {
        throw invalidGridValue();
    }
    switch (info.kind) {
        case GridMemberKind::Boolean:
            return number != 0 ? 1 : 0;
        case GridMemberKind::Choice:
            if (number < 0 || number > info.maxChoice) {
                throw invalidGridValue();
            }
            return number;
        case GridMemberKind::Colour:
            if (number < 0 || number > 0xFFFFFF) {
                throw invalidGridValue();
            }
            return number;
    }
    throw invalidGridValue();
}

}  // namespace

void Grid::setMember(GridMember member, const QVariant& value) {
    const std::size_t i = gridMemberIndex(member);
    if (i == kGridMembers.size()) {
        throw invalidGridValue();
    }
    applyMember(member, checkedValue(kGridMembers[i], value));
}

void Grid::applyMember(GridMember member, qint64 value) {
    static constexpr Qt::PenStyle kLineStyles[] = {Qt::SolidLine, Qt::DotLine, Qt::DashLine};
    static constexpr Qt::ScrollBarPolicy kScrollBars[] = {
        Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOn};
    GridCellLook& cells = delegate_->look();
    switch (member) {
        case GridMember::ShowGridLines:
            cells.linesShown = value != 0;
            break;
        case GridMember::WordWrap:
            setWordWrap(value != 0);
            break;
        case GridMember::ColumnsResizable:
            horizontalHeader()->setSectionResizeMode(value != 0 ? QHeaderView::Interactive
                                                                : QHeaderView::Fixed);
            break;
        case GridMember::BorderStyle:
            setFrameShape(value == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
            break;
        case GridMember::GridLineStyle:
            cells.lineStyle = kLineStyles[value];
            break;
        case GridMember::ScrollBars:
            setHorizontalScrollBarPolicy(kScrollBars[value]);
            setVerticalScrollBarPolicy(kScrollBars[value]);
            break;
        case GridMember::HeaderBackColor: {
            const QColor colour = colourOf(value);
            QPalette palette = horizontalHeader()->palette();
            palette.setColor(QPalette::Button, colour);
            palette.setColor(QPalette::Window, colour);
            palette.setColor(QPalette::ButtonText, textColourOn(colour));
            palette.setColor(QPalette::WindowText, textColourOn(colour));
            horizontalHeader()->setPalette(palette);
            break;
        }
        case GridMember::EmptyAreaBackColor: {
            // The cells paint their own background; the viewport's shows where there are none.
            QPalette palette = viewport()->palette();
            palette.setColor(QPalette::Base, colourOf(value));
            viewport()->setPalette(palette);
            break;
        }
        case GridMember::GridLineColor:
            cells.lineColour = colourOf(value);
            break;
        case GridMember::AlternateRowBackColor:
            cells.alternateColour = colourOf(value);
            break;
        case GridMember::SelectionBackColor: {
            // Keep the chosen row's text readable on whatever colour it gets.
            const QColor colour = colourOf(value);
            QPalette palette = this->palette();
            palette.setColor(QPalette::Highlight, colour);
            palette.setColor(QPalette::HighlightedText, textColourOn(colour));
            setPalette(palette);
            break;
        }
    }
    viewport()->update();
}

}  // namespace vantrel
