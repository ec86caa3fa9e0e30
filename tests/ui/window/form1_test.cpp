// The window as it opens, seen from outside: texts, looks, places, keys and the result grid.
#include "support/window_fixture.h"
#include "window/clickable_label.h"

#include <QApplication>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>

#include <algorithm>
#include <cmath>

namespace vantrel::testing {
namespace {

using Form1Test = WindowTest;

// WCAG's contrast ratio: 1 for the same colour, 21 for black on white.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [darker, lighter] = std::minmax({luminance(a), luminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

// A text as drawn: the commonest colour inside its frame is the background, and the text is its
// ink that stands out most from that.
double drawnContrast(const QImage& image, const QRect& place) {
    QHash<QRgb, int> counts;
    const QRect inside = place.adjusted(3, 3, -3, -3);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    const QRgb background = *std::max_element(
        counts.keyBegin(), counts.keyEnd(), [&](QRgb a, QRgb b) { return counts[a] < counts[b]; });
    double most = 1;
    for (auto colour = counts.keyBegin(); colour != counts.keyEnd(); ++colour) {
        most = std::max(most, contrast(QColor(background), QColor(*colour)));
    }
    return most;
}

TEST_F(Form1Test, OpensWithItsTextsLooksAndPlaces) {
    EXPECT_EQ((QStringList{form.windowTitle(), form.Frame1->title(), form.Frame2->title(),
                           form.Frame3->title(), form.goCmd->text(), form.Command3->text(),
                           form.Command2->text(), form.Label1->text(), form.Label2->text(),
                           form.Label3->text(), form.Text4->text(), form.Text1->text(),
                           form.Text2->text(), form.Text3->text(), form.Text5->text()}),
              (QStringList{
                  u"电影Vantrel工具"_s, u"Vantrel"_s, u"版本信息"_s, u"搜索结果"_s,
                  u"查字幕(&Search)"_s, u"上一页"_s, u"下一页"_s, u"版本：V1.0.0b - me@subs.test"_s,
                  u"点击进入:手机电影网站，精彩电影，欧美性感MV"_s,
                  u"说明：本程序基于"_s + server.host() +
                      u" 测试字幕站，为节省Vantrel           时间，提高Vantrel效率而开发。"_s,
                  QString(), u"SearchURL"_s, u"XML Scource"_s, u"clickURL"_s, QString()}));
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_TRUE(messages.shown.empty());

    const qreal dpi = form.logicalDpiX();
    const auto px = [dpi](int twips) { return qRound(twips * dpi / 1440.0); };
    EXPECT_EQ(form.size(), QSize(px(15240), px(10530)));
    EXPECT_EQ(form.goCmd->geometry(), QRect(px(4440), px(590), px(1575), px(540)));
    EXPECT_GT(form.Label1->width(), px(1440));  // grown to its longer load-time caption

    const QFont keyword = form.Text4->font();
    const QFont link = form.Label2->font();
    EXPECT_EQ(std::tuple(keyword.bold(), keyword.pointSizeF(), link.underline(), link.pointSizeF()),
              std::tuple(true, 14.25, true, 10.5));
    EXPECT_EQ(form.Text4->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(form.Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(Form1Test, TheResultGridShowsItsHeaderWidthsFontAndColours) {
    QStringList headers;
    QList<int> widths;
    for (int col = 0; col < grid.Cols(); ++col) {
        headers << grid.model()->headerData(col, Qt::Horizontal).toString();
        widths << grid.columnWidth(col);
    }
    EXPECT_EQ(headers, (QStringList{u"下载"_s, u"fileID"_s, u"名称"_s, u"格式"_s, u"语言"_s,
                                    u"版本"_s, u"分段"_s, u"电影全名"_s, u"时间"_s}));
    EXPECT_EQ(widths, (QList<int>{50, 50, 220, 50, 50, 220, 30, 150, 50}));
    EXPECT_EQ(std::tuple(grid.Rows(), grid.Cols(), cell(0, FileName)), std::tuple(1, 9, u"名称"_s));
    EXPECT_EQ(std::tuple(grid.font().family(), grid.font().pointSize(),
                         grid.horizontalHeader()->font().pointSize()),
              std::tuple(u"Tahoma"_s, 8, 8));

    grid.setRows(3);
    const QImage image = grid.viewport()->grab().toImage();
    const QRect second = grid.visualRect(grid.model()->index(1, Parts));  // no text
    EXPECT_EQ(image.pixelColor(second.center()), QColor(231, 235, 247));
    EXPECT_EQ(image.pixelColor(second.bottomRight()), QColor(244, 244, 244));    // grid line
    EXPECT_EQ(image.pixelColor(10, image.height() - 5), QColor(244, 244, 244));  // empty area
}

TEST_F(Form1Test, EveryTextReadsAtFourAndAHalfToOneOnLightAndDarkDesktops) {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));  // light texts on dark boxes, as a dark theme gives them
    dark.setColor(QPalette::Highlight, QColor(21, 83, 158));
    for (const auto& [desktop, name] :
         {std::pair(light, " on light"), std::pair(dark, " on dark")}) {
        QApplication::setPalette(desktop);
        Form1 window(Platform{http, shell, messages}, form.site());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.Text4->setText(u"keyword"_s);
        click(window.goCmd);
        window.Grid1->chooseRow(1);  // chosen and visited
        window.Command3->setEnabled(false);
        const QImage image = window.grab().toImage();
        const auto place = [&window](const QWidget* widget, const QRect& rect) {
            return QRect(widget->mapTo(&window, rect.topLeft()), rect.size());
        };
        const auto cell = [&](int row) {
            return place(window.Grid1->viewport(),
                         window.Grid1->visualRect(window.Grid1->model()->index(row, FileName)));
        };
        const QHeaderView* header = window.Grid1->horizontalHeader();
        const std::pair<const char*, QRect> texts[] = {
            {"chosen visited row", cell(0)},
            {"tinted row", cell(1)},
            {"plain row", cell(2)},
            {"header", place(header, QRect(header->sectionViewportPosition(FileName), 0,
                                           header->sectionSize(FileName), header->height()))},
            {"keyword", place(window.Text4, window.Text4->rect())},
            {"link", place(window.Label2, window.Label2->rect())},
            {"description", place(window.Label3, window.Label3->rect())},
            {"version", place(window.Label1, window.Label1->rect())},
            {"disabled button", place(window.Command3, window.Command3->rect())}};
        for (const auto& [what, rect] : texts) {
            EXPECT_GE(drawnContrast(image, rect), 4.5) << what << name;
        }
    }
    QApplication::setPalette(light);
}

TEST_F(Form1Test, TheKeywordHasTheFocusTabWalksTheControlsAndStateFieldsStayHidden) {
    EXPECT_EQ(QApplication::focusWidget(), form.Text4);
    for (QWidget* next :
         std::initializer_list<QWidget*>{form.goCmd, form.Command3, form.Command2, &grid}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    for (HiddenTextField* field : {form.Text1, form.Text2, form.Text3, form.Text5}) {
        EXPECT_FALSE(field->isVisible());
        field->show();
        EXPECT_FALSE(field->isVisible());
    }
}

TEST_F(Form1Test, KeysPressTheButtonsAndTheLinkOpensOncePerClick) {
    for (QPushButton* button : {form.goCmd, form.Command2, form.Command3}) {
        QSignalSpy clicks(button, &QPushButton::clicked);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(clicks.size(), 2) << button->text().toStdString();
        EXPECT_FALSE(button->isDefault());
    }
    QSignalSpy searches(form.goCmd, &QPushButton::clicked);
    form.Command2->setFocus();
    QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&searches] { return searches.size() == 1; }));

    // A double-click as the desktop sends it: a click, then a press, the double-click, a release.
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                       form.Label2->mapTo(&form, form.Label2->rect().center()));
    EXPECT_EQ(shell.opened, QStringList{u"http://promo.test/"_s});
}

}  // namespace
}  // namespace vantrel::testing
