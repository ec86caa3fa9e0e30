#include "app/form1.h"
#include "grid/grid.h"
#include "platform/curl_http_client.h"
#include "support/recording_platform.h"

#include <QAccessible>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

const QStringList kHeaders{
    QStringLiteral("下载"), QStringLiteral("fileID"),   QStringLiteral("名称"),
    QStringLiteral("格式"), QStringLiteral("语言"),     QStringLiteral("版本"),
    QStringLiteral("分段"), QStringLiteral("电影全名"), QStringLiteral("时间")};

class ResultGridSetUpTest : public ::testing::Test {
protected:
    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{QStringLiteral("subs.test:8086"), QStringLiteral("测试字幕站"),
                          QStringLiteral("http://promo.test/"), QStringLiteral("me@subs.test")}};
    Grid& grid = *form.Grid1;
};

TEST_F(ResultGridSetUpTest, WindowOpensWithTheHeaderRowWidthsAndFont) {
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 9);
    const int widths[] = {50, 50, 220, 50, 50, 220, 30, 150, 50};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(grid.Cell(0, k).Text(), kHeaders[k]);
        EXPECT_EQ(grid.model()->headerData(k, Qt::Horizontal).toString(), kHeaders[k]);
        EXPECT_EQ(grid.columnWidth(k), widths[k]);
    }
    EXPECT_EQ(grid.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(grid.font().pointSize(), 8);
    EXPECT_EQ(grid.horizontalHeader()->font().pointSize(), 8);
    EXPECT_EQ(grid.member(GridMember::ShowGridLines), QVariant(true));
    EXPECT_EQ(grid.member(GridMember::SelectionBackColor), QVariant(0xE7BE94));

    // Assistive technology reads the column titles.
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->columnDescription(1), QStringLiteral("fileID"));
}

TEST_F(ResultGridSetUpTest, ColoursShowWhereTheyBelong) {
    grid.setRows(3);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage image = grid.viewport()->grab().toImage();
    const QRect second = grid.visualRect(grid.model()->index(1, 6));  // "分段", no text
    EXPECT_EQ(image.pixelColor(second.center()), QColor(231, 235, 247));
    EXPECT_EQ(image.pixelColor(second.bottomRight()), QColor(244, 244, 244));    // grid line
    EXPECT_EQ(image.pixelColor(10, image.height() - 5), QColor(244, 244, 244));  // empty area
}

TEST_F(ResultGridSetUpTest, TypingIntoACellChangesNothing) {
    grid.setRows(2);
    grid.Cell(1, 2).setText(QStringLiteral("原文"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 2));
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(&grid, QStringLiteral("abc"));
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                       grid.visualRect(grid.model()->index(0, 0)).center());
    QTest::mouseDClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(grid.columnViewportPosition(2) + 10, 5));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("xyz"));
    EXPECT_TRUE(grid.viewport()->findChildren<QLineEdit*>().isEmpty());  // no editor opened
    EXPECT_EQ(grid.Cell(1, 2).Text(), QStringLiteral("原文"));
    EXPECT_EQ(grid.Cell(0, 2).Text(), QStringLiteral("名称"));
    EXPECT_FALSE(grid.model()->setData(grid.model()->index(0, 2), QStringLiteral("x")));
}

}  // namespace
}  // namespace vantrel
