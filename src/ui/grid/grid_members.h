#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

namespace vantrel {

// The settings and colours of the grid that callers know only by dispatch identifier. The
// identifier is the enumerator's value; the name is the part of the grid's look it governs here.
enum class GridMember : quint32 {
    ShowGridLines = 0x6803006A,          // Boolean: lines between the cells
    WordWrap = 0x68030051,               // Boolean: long texts wrap instead of being cut short
    ColumnsResizable = 0x6803004A,       // Boolean: the user may drag column borders
    BorderStyle = 0x68030068,            // 0 no frame around the grid, 1 a sunken frame
    GridLineStyle = 0x68030047,          // 0 solid, 1 dotted, 2 dashed
    ScrollBars = 0x68030030,             // 0 shown as needed, 1 never, 2 always
    HeaderBackColor = 0x68030062,        // colour of the header row
    EmptyAreaBackColor = 0x68030061,     // colour of the area beside and below the cells
    GridLineColor = 0x68030063,          // colour of the lines between the cells
    AlternateRowBackColor = 0x68030060,  // colour of every second data row
    SelectionBackColor = 0x68030042,     // colour of the chosen row
};

enum class GridMemberKind {
    Boolean,  // any number; non-zero is true (True arrives as -1)
    Choice,   // 0 to maxChoice
    Colour,   // 0x00BBGGRR
};

struct GridMemberInfo {
    GridMember member;
    GridMemberKind kind;
    int maxChoice;  // Choice members only
    qint64 initial;
};

// A colour value as the window system writes it: red in the low byte.
constexpr qint64 rgbValue(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}

inline constexpr std::array<GridMemberInfo, 11> kGridMembers{{
    {GridMember::ShowGridLines, GridMemberKind::Boolean, 0, 1},
    {GridMember::WordWrap, GridMemberKind::Boolean, 0, 0},
    {GridMember::ColumnsResizable, GridMemberKind::Boolean, 0, 1},
    {GridMember::BorderStyle, GridMemberKind::Choice, 1, 1},
    {GridMember::GridLineStyle, GridMemberKind::Choice, 2, 0},
    {GridMember::ScrollBars, GridMemberKind::Choice, 2, 0},
    {GridMember::HeaderBackColor, GridMemberKind::Colour, 0, rgbValue(240, 240, 240)},
    {GridMember::EmptyAreaBackColor, GridMemberKind::Colour, 0, rgbValue(255, 255, 255)},
    {GridMember::GridLineColor, GridMemberKind::Colour, 0, rgbValue(192, 192, 192)},
    {GridMember::AlternateRowBackColor, GridMemberKind::Colour, 0, rgbValue(255, 255, 255)},
    {GridMember::SelectionBackColor, GridMemberKind::Colour, 0, rgbValue(0, 120, 215)},
}};

constexpr std::size_t gridMemberIndex(GridMember member) {
    for (std::size_t i = 0; i < kGridMembers.size(); ++i) {
        if (kGridMembers[i].member == member) {
            return i;
        }
    }
    return kGridMembers.size();
}

}  // namespace vantrel
