#include "app/form1.h"
#include "app/clickable_label.h"
#include "grid/grid.h"
#include "platform/app_error.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/recording_platform.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

SiteConfig testSite() {
    return SiteConfig{QStringLiteral("subs.test:8086"), QStringLiteral("测试字幕站"),
                      QStringLiteral("http://promo.test/"), QStringLiteral("me@subs.test")};
}

class Form1Test : public ::testing::Test {
protected:
    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages}, testSite()};
};

TEST_F(Form1Test, OpensWithItsCaptionsAndLoadTimeTexts) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("电影Vantrel工具"));
    EXPECT_EQ(form.Frame1->title(), QStringLiteral("Vantrel"));
    EXPECT_EQ(form.Frame2->title(), QStringLiteral("版本信息"));
    EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果"));
    EXPECT_EQ(form.goCmd->text(), QStringLiteral("查字幕(&Search)"));
    EXPECT_EQ(form.Command2->text(), QStringLiteral("下一页"));
    EXPECT_EQ(form.Command3->text(), QStringLiteral("上一页"));
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_EQ(form.Label1->text(), QStringLiteral("版本：V1.0.0b - me@subs.test"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("点击进入:手机电影网站，精彩电影，欧美性感MV"));
    EXPECT_TRUE(form.Label3->text().startsWith(QStringLiteral("说明：本程序基于subs.test:8086")));
    EXPECT_TRUE(form.Label3->text().endsWith(
        QStringLiteral("，为节省Vantrel           时间，提高Vantrel效率而开发。")));
    EXPECT_EQ(form.Text4->text(), QString());
    EXPECT_EQ(form.Text1->text(), QStringLiteral("SearchURL"));
    EXPECT_EQ(form.Text2->text(), QStringLiteral("XML Scource"));
    EXPECT_EQ(form.Text3->text(), QStringLiteral("clickURL"));
    EXPECT_EQ(form.Text5->text(), QString());
    EXPECT_EQ(form.PageNo, 1);
    EXPECT_TRUE(form.BaseUrl.isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, PlacesControlsInTwipsAndStylesTheKeywordAndLinkFonts) {
    const qreal dpi = form.logicalDpiX();
    const auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    EXPECT_EQ(form.size(), QSize(px(15240), px(10530)));
    EXPECT_EQ(form.Frame3->geometry(), QRect(px(240), px(2040), px(14775), px(8295)));
    EXPECT_EQ(form.goCmd->geometry(), QRect(px(4440), px(590), px(1575), px(540)));
    EXPECT_EQ(form.Label2->pos(), QPoint(px(120), px(1080)));
    EXPECT_EQ(form.Grid1->parentWidget(), form.Frame3);
    EXPECT_EQ(form.Text4->parentWidget(), form.Frame1);

    EXPECT_TRUE(form.Text4->font().bold());
    EXPECT_DOUBLE_EQ(form.Text4->font().pointSizeF(), 14.25);
    EXPECT_EQ(form.Text4->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_TRUE(form.Label2->font().underline());
    EXPECT_DOUBLE_EQ(form.Label2->font().pointSizeF(), 10.5);
    EXPECT_EQ(form.Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // The version label grows to its longer load-time caption.
    EXPECT_GT(form.Label1->width(), px(1440));
}

TEST_F(Form1Test, ShowsTheKeywordFocusedAndNeverTheStateFields) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.Text4);
    for (HiddenTextField* field : {form.Text1, form.Text2, form.Text3, form.Text5}) {
        EXPECT_FALSE(field->isVisible());
        field->show();
        EXPECT_FALSE(field->isVisible());
    }

    // Tab walks keyword, search, previous, next, grid.
    const QList<QWidget*> expected{form.goCmd, form.Command3, form.Command2, form.Grid1};
    for (QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(Form1Test, LinkLabelOpensThePromotionalSiteAndChangesNothingElse) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Label2, Qt::LeftButton);
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("http://promo.test/")});
    EXPECT_EQ(form.Text1->text(), QStringLiteral("SearchURL"));
    EXPECT_EQ(form.PageNo, 1);
    // A double-click: a click, then the double-click, which opens nothing more.
    shell.opened.clear();
    QTest::mouseClick(form.Label2, Qt::LeftButton);
    QTest::mouseDClick(form.Label2, Qt::LeftButton);
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST_F(Form1Test, ReturnAndEnterPressAFocusedButtonWhichNeverBecomesDefault) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (QPushButton* button : {form.goCmd, form.Command2, form.Command3}) {
        int clicks = 0;
        const QMetaObject::Connection counting =
            QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(clicks, 2) << button->text().toStdString();
        EXPECT_FALSE(button->isDefault());
        QObject::disconnect(counting);
    }
}

TEST_F(Form1Test, AltSPressesTheSearchButtonFromAnywhere) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    int clicks = 0;
    QObject::connect(form.goCmd, &QPushButton::clicked, [&clicks] { ++clicks; });
    form.Command2->setFocus();
    QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(clicks, 1);
}

TEST_F(Form1Test, MakeSearchUrlReplacesTheUrlWhole) {
    form.Text4->setText(QStringLiteral("阿凡达 2"));
    form.MakeSearchUrl();
    const QString expected =
        QStringLiteral("http://subs.test:8086/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE 2");
    EXPECT_EQ(form.Text1->text(), expected);
    form.MakeSearchUrl();
    EXPECT_EQ(form.Text1->text(), expected);
    EXPECT_EQ(form.ChangeUtf(QStringLiteral("é")), QStringLiteral("%C3%A9"));
}

TEST_F(Form1Test, AnErrorInAnEventShowsItsNumberAndKeepsTheWindowUsable) {
    form.show();
    form.runEvent([] { throw overflowError(); });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("电影Vantrel工具"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("运行时错误 '6':\n\n溢出"));
    EXPECT_TRUE(form.isVisible());

    // The window keeps working: the next event runs normally.
    QTest::mouseClick(form.Label2, Qt::LeftButton);
    EXPECT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace vantrel
