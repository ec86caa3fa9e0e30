#include "grid/grid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

class GridActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(600, 300);
        grid.setRows(5);
        for (int row = 1; row < 5; ++row) {
            grid.Cell(row, 1).setText(QStringLiteral("id%1").arg(row));
        }
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QPoint centreOfRow(int row) const {
        return grid.visualRect(grid.model()->index(row - 1, 2)).center();
    }

    Grid grid;
    QSignalSpy chosen{&grid, &Grid::rowActivated};
};

TEST_F(GridActivationTest, DoubleClickChoosesTheRowUnderTheMouse) {
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(3));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_NE(chosen[0][0].toInt(), 0);
    EXPECT_EQ(grid.ActiveCell().Row(), 3);
    EXPECT_EQ(grid.Cell(grid.ActiveCell().Row(), 1).Text(), QStringLiteral("id3"));

    // Below the last row, on the header or with the right button nothing is chosen.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 290));
    QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(10, 5));
    QTest::mouseDClick(grid.viewport(), Qt::RightButton, Qt::NoModifier, centreOfRow(2));
    EXPECT_EQ(chosen.count(), 1);
}

TEST_F(GridActivationTest, EnterChoosesTheCurrentRowAfterKeyboardNavigation) {
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 0));
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_NE(chosen[0][0].toInt(), 0);
    EXPECT_EQ(grid.ActiveCell().Row(), 2);

    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(chosen.count(), 2);
    EXPECT_EQ(grid.ActiveCell().Row(), 4);
}

TEST_F(GridActivationTest, EnterWithoutAnyRowChoosesNothing) {
    grid.setRows(1);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(chosen.count(), 0);
}

}  // namespace
}  // namespace vantrel
