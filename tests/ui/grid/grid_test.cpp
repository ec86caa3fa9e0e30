// The result grid on its own: rows and header, its error numbers, and choosing a row.
#include "grid/grid.h"
#include "support/error_number.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "support/qt_printing.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

QString headerText(const Grid& grid, int col) {
    return grid.model()->headerData(col, Qt::Horizontal).toString();
}

TEST(GridTest, RowsKeepTheLeadingRowsAndTheHeaderShowsOnlyWithRows) {
    Grid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(std::tuple(grid.Rows(), grid.Cols(), grid.model()->rowCount()), std::tuple(1, 9, 0));
    for (int col = 0; col < grid.Cols(); ++col) {
        grid.Cell(0, col).setText(u"h%1"_s.arg(col));
    }
    grid.setRows(6);
    for (int row = 1; row < 6; ++row) {
        grid.Cell(row, row).setText(QString(row * 100, u'字'));
    }
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.size(), 1);  // one announcement for the whole fill
    EXPECT_EQ(changed[0][1].toModelIndex(), grid.model()->index(4, 5));
    EXPECT_EQ(grid.model()->index(2, 3).data().toString(), QString(300, u'字'));

    grid.setRows(3);
    grid.Cell(2, 8).setText(u"x"_s);  // queued when its row goes away
    grid.setRows(4);                  // rows that come back are new, empty rows
    EXPECT_EQ(std::tuple(grid.Rows(), grid.Cell(0, 8).Text(), grid.Cell(2, 2).Text(),
                         grid.Cell(3, 3).Text()),
              std::tuple(4, u"h8"_s, QString(200, u'字'), QString()));

    grid.setRows(0);  // an empty page: the header texts are hidden, not lost
    QCoreApplication::processEvents();
    EXPECT_EQ(std::pair(grid.Rows(), headerText(grid, 1)), std::pair(0, QString()));
    EXPECT_EQ(errorNumberOf([&] { grid.Cell(0, 1).Text(); }), 9);
    EXPECT_EQ(errorNumberOf([&] { grid.Range(0, 0, grid.Rows() - 1, 8).setLocked(true); }), 0);
    grid.setRows(1);
    EXPECT_EQ(std::pair(grid.Cell(0, 1).Text(), headerText(grid, 1)), std::pair(u"h1"_s, u"h1"_s));
}

TEST(GridTest, BadValuesOverflowAndAddressesOutsideRaiseTheirErrors) {
    Grid grid;
    grid.setRows(3);
    GridCell kept = grid.Cell(2, 4);
    const std::pair<int, std::function<void()>> cases[] = {
        {9, [&] { grid.Cell(-1, 0); }},
        {9, [&] { grid.Cell(3, 0); }},
        {9, [&] { grid.Cell(0, 9); }},
        {9, [&] { grid.Cell(1, -1); }},
        {9, [&] { grid.Column(9); }},
        {9, [&] { grid.Range(0, 0, 3, 8); }},
        {9, [&] { grid.Range(0, 0, 2, 9); }},
        {9, [&] { grid.ResetRowHeight(3); }},
        {9, [&] { grid.setRows(2), kept.setText(u"x"_s); }},  // a handle kept across a shrink
        {5, [&] { grid.setRows(-1); }},
        {5, [&] { grid.setMember(GridMember::ScrollBars, 3); }},
        {5, [&] { grid.setMember(GridMember::GridLineColor, 0x1000000); }},
        {5, [&] { grid.setMember(GridMember::BorderStyle, u"x"_s); }},
        {5, [&] { grid.setMember(static_cast<GridMember>(0x68030001), 0); }},
        {0, [&] { grid.setMember(GridMember::ScrollBars, 1); }},
        {0, [&] { grid.setMember(GridMember::WordWrap, -1); }},  // True as it comes by dispatch
    };
    for (const auto& [number, operation] : cases) {
        EXPECT_EQ(errorNumberOf(operation), number) << &operation - &cases[0].second;
    }
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_TRUE(grid.wordWrap());
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    try {
        grid.Cell(5, 0);
    } catch (const AppError& error) {
        EXPECT_EQ(error.description(), u"下标越界"_s);
    }

    EXPECT_EQ(grid.ActiveCell().Row(), 0);  // no current cell yet
    grid.setRows(32769);
    grid.setCurrentIndex(grid.model()->index(32766, 1));
    EXPECT_EQ(grid.ActiveCell().Row(), 32767);
    grid.setCurrentIndex(grid.model()->index(32767, 1));
    EXPECT_EQ(errorNumberOf([&] { grid.ActiveCell().Row(); }), 6);
}

TEST(GridTest, TextsOnTheColoursItFixesAreBlackOrWhiteWhicheverReadsBetter) {
    Grid grid;
    grid.setPalette(QPalette(QColor(53, 53, 53)));  // a dark theme's light texts
    for (const auto& [colour, text] : {std::pair(rgbValue(255, 255, 0), Qt::black),
                                       {rgbValue(148, 190, 231), Qt::black},
                                       {rgbValue(0, 0, 255), Qt::white}}) {
        grid.setMember(GridMember::SelectionBackColor, colour);
        grid.setMember(GridMember::HeaderBackColor, colour);
        EXPECT_EQ(grid.palette().color(QPalette::HighlightedText), QColor(text)) << colour;
        EXPECT_EQ(grid.horizontalHeader()->palette().color(QPalette::ButtonText), QColor(text));
    }
}

TEST(GridTest, ADoubleClickOrEnterChoosesARowAndNothingElseDoes) {
    Grid grid;
    grid.resize(600, 300);
    grid.setRows(5);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    QList<std::pair<int, int>> chosen;  // the event's first value and the active row
    QObject::connect(&grid, &Grid::rowActivated, &grid, [&](int first, int) {
        chosen.append({first, grid.ActiveCell().Row()});
    });
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                       grid.visualRect(grid.model()->index(2, 2)).center());
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    // Below the last row, on the header, with the right button or without rows: nothing.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, 290));
    QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton);
    QTest::mouseDClick(grid.viewport(), Qt::RightButton, {},
                       grid.visualRect(grid.model()->index(1, 2)).center());
    grid.setRows(1);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(chosen, (QList<std::pair<int, int>>{{1, 3}, {1, 2}, {1, 4}}));
}

}  // namespace
}  // namespace vantrel
