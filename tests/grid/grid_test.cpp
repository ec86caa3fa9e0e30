#include "grid/grid.h"
#include "platform/app_error.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace vantrel {
namespace {

int errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

QString headerText(const Grid& grid, int col) {
    return grid.model()->headerData(col, Qt::Horizontal).toString();
}

void writeHeader(Grid& grid) {
    for (int col = 0; col < grid.Cols(); ++col) {
        grid.Cell(0, col).setText(QStringLiteral("h%1").arg(col));
    }
}

TEST(GridTest, StartsWithTheHeaderRowAloneAndNineColumns) {
    Grid grid;
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.model()->columnCount(), 9);
}

TEST(GridTest, RowsPutKeepsTheLeadingRowsAndTextsReadBackAsStored) {
    Grid grid;
    writeHeader(grid);
    grid.setRows(4);
    const QString texts[] = {QStringLiteral("下载>>"), QString(), QStringLiteral(" "),
                             QString(300, QChar(u'字'))};
    for (int row = 1; row < 4; ++row) {
        grid.Cell(row, row).setText(texts[row]);
    }
    grid.Cell(1, 0).setText(texts[0]);
    EXPECT_EQ(grid.Cell(1, 0).Text(), texts[0]);
    EXPECT_EQ(grid.Cell(3, 3).Text(), texts[3]);
    EXPECT_EQ(grid.model()->index(2, 3).data().toString(), texts[3]);

    grid.setRows(2);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cell(0, 8).Text(), QStringLiteral("h8"));
    EXPECT_EQ(grid.Cell(1, 0).Text(), texts[0]);
    grid.setRows(4);  // rows that come back are new, empty rows
    EXPECT_EQ(grid.Cell(3, 3).Text(), QString());
}

TEST(GridTest, AnEmptyPageHidesTheHeaderTextsButDoesNotLoseThem) {
    Grid grid;
    writeHeader(grid);
    grid.setRows(0);
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(headerText(grid, 1), QString());
    EXPECT_EQ(errorNumberOf([&] { grid.Cell(0, 1).Text(); }), 9);
    // What a fill asks of an empty page: the range over no rows, locked, and no row reset.
    EXPECT_EQ(errorNumberOf([&] { grid.Range(0, 0, grid.Rows() - 1, 8).setLocked(true); }), 0);
    EXPECT_FALSE(grid.isLocked(0, 0));

    grid.setRows(1);
    EXPECT_EQ(grid.Cell(0, 1).Text(), QStringLiteral("h1"));
    EXPECT_EQ(headerText(grid, 1), QStringLiteral("h1"));
}

TEST(GridTest, AddressingOutsideTheGridRaisesSubscriptOutOfRange) {
    Grid grid;
    grid.setRows(3);
    const std::function<void()> outside[] = {
        [&] { grid.Cell(-1, 0); },       [&] { grid.Cell(3, 0); },
        [&] { grid.Cell(0, 9); },        [&] { grid.Cell(1, -1); },
        [&] { grid.Column(9); },         [&] { grid.Range(0, 0, 3, 8); },
        [&] { grid.Range(0, 0, 2, 9); }, [&] { grid.ResetRowHeight(3); },
    };
    for (const auto& operation : outside) {
        EXPECT_EQ(errorNumberOf(operation), 9);
    }
    try {
        grid.Cell(5, 0);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("下标越界"));
    }

    // A cell handle kept across a shrink raises instead of reaching past the end.
    GridCell kept = grid.Cell(2, 4);
    grid.setRows(2);
    EXPECT_EQ(errorNumberOf([&] { kept.setText(QStringLiteral("x")); }), 9);
    EXPECT_EQ(errorNumberOf([&] { grid.setRows(-1); }), 5);
    EXPECT_EQ(grid.Rows(), 2);
}

TEST(GridTest, ActiveRowAbove32767IsAnOverflow) {
    Grid grid;
    EXPECT_EQ(grid.ActiveCell().Row(), 0);  // no current cell yet
    grid.setRows(32769);
    grid.setCurrentIndex(grid.model()->index(32766, 1));
    EXPECT_EQ(grid.ActiveCell().Row(), 32767);
    grid.setCurrentIndex(grid.model()->index(32767, 1));
    EXPECT_EQ(errorNumberOf([&] { grid.ActiveCell().Row(); }), 6);
}

TEST(GridTest, LockAndRowHeightResetActOnTheirRanges) {
    Grid grid;
    grid.setRows(4);
    grid.Range(0, 0, 3, 8).setLocked(true);
    EXPECT_TRUE(grid.isLocked(3, 8));
    EXPECT_FALSE(grid.isLocked(4, 0));
    grid.Range(0, 0, 3, 8).setLocked(false);
    EXPECT_FALSE(grid.isLocked(0, 0));

    const int height = grid.rowHeight(0);
    grid.setRowHeight(1, height + 20);
    grid.ResetRowHeight(2);
    EXPECT_EQ(grid.rowHeight(1), height);
}

TEST(GridTest, MembersTakeOnlyValuesOfTheirKind) {
    Grid grid;
    grid.setMember(GridMember::WordWrap, -1);  // True as it arrives by dispatch
    EXPECT_EQ(grid.member(GridMember::WordWrap), QVariant(true));
    EXPECT_TRUE(grid.wordWrap());
    grid.setMember(GridMember::ScrollBars, 1);
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    EXPECT_EQ(errorNumberOf([&] { grid.setMember(GridMember::ScrollBars, 3); }), 5);
    EXPECT_EQ(errorNumberOf([&] { grid.setMember(GridMember::GridLineColor, 0x1000000); }), 5);
    EXPECT_EQ(errorNumberOf([&] { grid.setMember(GridMember::BorderStyle, QStringLiteral("x")); }),
              5);
    EXPECT_EQ(errorNumberOf([&] { grid.setMember(static_cast<GridMember>(0x68030001), 0); }), 5);
    EXPECT_EQ(grid.member(GridMember::ScrollBars), QVariant(1));
}

TEST(GridTest, TextWritesAreAnnouncedOnceForAWholeFill) {
    Grid grid;
    grid.setRows(101);
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    QSignalSpy header(grid.model(), &QAbstractItemModel::headerDataChanged);
    for (int row = 1; row <= 100; ++row) {
        grid.Cell(row, 2).setText(QStringLiteral("a"));
        grid.Cell(row, 5).setText(QStringLiteral("b"));
    }
    grid.Cell(0, 3).setText(QStringLiteral("h"));
    EXPECT_EQ(changed.count(), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), grid.model()->index(0, 2));
    EXPECT_EQ(changed[0][1].toModelIndex(), grid.model()->index(99, 5));
    ASSERT_EQ(header.count(), 1);
    EXPECT_EQ(header[0][1].toInt(), 3);
}

TEST(GridTest, ModelStaysConsistentThroughFillsAndShrinks) {
    Grid grid;
    QAbstractItemModelTester tester(grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    writeHeader(grid);
    grid.setRows(6);
    for (int row = 1; row < 6; ++row) {
        for (int col = 0; col < 9; ++col) {
            grid.Cell(row, col).setText(QString::number(row * 10 + col));
        }
    }
    // Changes still queued when the rows they touched are dropped must not be announced.
    grid.setRows(3);
    QCoreApplication::processEvents();
    grid.Cell(5 - 3, 8).setText(QStringLiteral("x"));
    grid.setRows(0);
    QCoreApplication::processEvents();
    grid.setRows(1);
    grid.setRows(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(headerText(grid, 0), QStringLiteral("h0"));
}

}  // namespace
}  // namespace vantrel
