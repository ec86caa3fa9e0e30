#include "result_view/result_grid_setup.h"

#include "grid/grid.h"
#include "grid/grid_members.h"
#include "results/result_columns.h"

#include <array>

namespace vantrel {

namespace {

struct ColumnLook {
    const char16_t* header;
    int width;  // pixels
};

static_assert(ResultColumnCount == Grid::kDesignCols, "one grid column per result column");

// Indexed by ResultColumn: the download mark, then the eight fields of a result record.
constexpr std::array<ColumnLook, ResultColumnCount> kResultColumns{{
    {u"下载", 50},
    {u"fileID", 50},
    {u"名称", 220},
    {u"格式", 50},
    {u"语言", 50},
    {u"版本", 220},
    {u"分段", 30},
    {u"电影全名", 150},
    {u"时间", 50},
}};

}  // namespace

void SetUpResultGrid(Grid& grid) {
    grid.setMember(GridMember::ShowGridLines, true);
    grid.setMember(GridMember::WordWrap, false);
    grid.setMember(GridMember::ColumnsResizable, true);
    grid.setMember(GridMember::BorderStyle, 0);
    grid.setMember(GridMember::GridLineStyle, 0);
    grid.setMember(GridMember::ScrollBars, 0);

    // Not on Linux by that name: fontconfig falls back to a similar face.
    grid.Font().setName(QStringLiteral("Tahoma"));
    grid.Font().setSize(8);

    const qint64 lightGrey = rgbValue(244, 244, 244);
    grid.setMember(GridMember::HeaderBackColor, lightGrey);
    grid.setMember(GridMember::EmptyAreaBackColor, lightGrey);
    grid.setMember(GridMember::GridLineColor, lightGrey);
    grid.setMember(GridMember::AlternateRowBackColor, rgbValue(231, 235, 247));
    grid.setMember(GridMember::SelectionBackColor, rgbValue(148, 190, 231));

    for (int k = 0; k < static_cast<int>(kResultColumns.size()); ++k) {
        grid.Column(k).setWidth(kResultColumns[k].width);
    }
    for (int k = 0; k < static_cast<int>(kResultColumns.size()); ++k) {
        grid.Cell(0, k).setText(QString::fromUtf16(kResultColumns[k].header));
    }
}

}  // namespace vantrel
