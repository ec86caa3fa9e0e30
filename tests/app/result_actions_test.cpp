// The conveniences around the results: full texts, the row menu, copying, visited rows, the
// keyword history and the paging keys, in the real window against a loopback site.
#include "app/form1.h"
#include "app/keyword_history.h"
#include "grid/grid.h"
#include "grid/grid_model.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/loopback_server.h"
#include "support/recording_platform.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "support/qt_printing.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>

namespace vantrel {
namespace {

const QString kLongName =
    QStringLiteral("A.Very.Long.Film.Name.2024.1080p.BluRay.x264-GROUP.chs.srt");

// Every page lists abcdef (long name), a record named after the page, and one without an id.
void siteRoutes(httplib::Server& server) {
    server.Get(R"(/search/sub:.*)", [](const httplib::Request& request,
                                       httplib::Response& response) {
        const std::string page = request.has_param("page") ? request.get_param_value("page") : "1";
        response.set_content(
            "<list><subrief><fileid>abcdef</fileid><filename>" + kLongName.toStdString() +
                "</filename><format>SRT</format><language>简体</language><splitby>v\t1</splitby>"
                "<splito>1</splito><chname>电影</chname><uptime>2024</uptime></subrief>"
                "<subrief><fileid>p" +
                page +
                "</fileid><filename>s</filename></subrief>"
                "<subrief><filename>no id</filename></subrief></list>",
            "text/xml; charset=utf-8");
    });
}

class ResultActionsTest : public ::testing::Test {
protected:
    ResultActionsTest() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void search(const QString& keyword) {
        form.Text4->setText(keyword);
        QTest::mouseClick(form.goCmd, Qt::LeftButton);
    }
    QPoint cellCentre(int row, int col) const {
        return grid.visualRect(grid.model()->index(row - 1, col)).center();
    }
    // Opens the row menu with `open`, notes its entries (" -" marks a disabled one) and presses
    // `key` in it.
    QStringList answerMenu(const std::function<void()>& open, char key) {
        QStringList entries;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            poll.stop();
            for (const QAction* action : menu->actions()) {
                if (!action->isSeparator()) {
                    entries << action->text() + (action->isEnabled() ? "" : " -");
                }
            }
            QTest::keyClick(menu, key);
        });
        poll.start(5);
        open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !poll.isActive(); }, 2000));
        QTest::qWait(1);
        return entries;
    }
    // What the window makes of a right mouse press: a menu request where the mouse is.
    static void rightClickAt(QWidget* widget, const QPoint& pos) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    QColor textColour(int row, int col) const {
        return grid.model()->index(row - 1, col).data(Qt::ForegroundRole).value<QColor>();
    }

    testing::LoopbackServer server{siteRoutes};
    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{server.host(), QString(), QString(), QString()}};
    Grid& grid = *form.Grid1;
    QString fileUrl =
        QStringLiteral("http://") + server.host() + QStringLiteral("/xml/file/abc/abcdef.xml");
};

TEST_F(ResultActionsTest, OnlyCutTextsShowAsTooltipsAndEveryCellDescribesItsWholeText) {
    search(QStringLiteral("film"));
    const struct {
        int row, col;
        bool cut;
    } cases[] = {{1, 2, true}, {2, 2, false}, {1, 1, false}, {3, 2, false}};
    for (const auto& c : cases) {
        const QPoint at = cellCentre(c.row, c.col);
        QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.viewport(), &help);
        const QString text = grid.Cell(c.row, c.col).Text();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QToolTip::isVisible() == c.cut; }))
            << c.row << "," << c.col;
        if (c.cut) {
            EXPECT_EQ(QToolTip::text(), text);
        }
        EXPECT_EQ(grid.model()->index(c.row - 1, c.col).data(Qt::AccessibleDescriptionRole), text);
    }
}

TEST_F(ResultActionsTest, MenuEntriesOpenOrCopyTheRowAndCtrlCCopiesItsLink) {
    search(QStringLiteral("film"));
    const QString row1 = kLongName + QStringLiteral("\tSRT\t简体\tv 1\t1\t电影\t2024");
    const auto rightClick = [this](int row) {
        return [this, row] { rightClickAt(grid.viewport(), cellCentre(row, 3)); };
    };
    const auto key = [this](int row, Qt::Key k, Qt::KeyboardModifiers mods) {
        return [this, row, k, mods] {
            grid.setFocus();
            grid.setCurrentIndex(grid.model()->index(row - 1, 0));
            QTest::keyClick(&grid, k, mods);
        };
    };
    const struct {
        std::function<void()> open;
        char key;
        QString clipboard;
        QStringList entries;
    } cases[] = {
        {rightClick(1),
         'l',
         fileUrl,
         {"打开文件页(&O)", "复制链接(&L)", "复制文件名(&N)", "复制整行(&R)"}},
        {key(1, Qt::Key_Menu, {}), 'n', kLongName, {}},
        {key(1, Qt::Key_F10, Qt::ShiftModifier), 'r', QStringLiteral("abcdef\t") + row1, {}},
        {rightClick(3),
         'r',
         QStringLiteral(" \tno id\t \t \t \t \t \t "),
         {"打开文件页(&O) -", "复制链接(&L) -", "复制文件名(&N)", "复制整行(&R)"}},
    };
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->clear();
        const QStringList entries = answerMenu(c.open, c.key);
        if (!c.entries.isEmpty()) {
            EXPECT_EQ(entries, c.entries);
        }
        EXPECT_EQ(clipboard(), c.clipboard);
    }
    EXPECT_EQ(form.Text3->text(), QStringLiteral("clickURL"));  // copying opens nothing

    // Opening from the menu goes the way of a double click; the menu made row 1 current.
    grid.setCurrentIndex(grid.model()->index(2, 0));
    QSignalSpy chosen(&grid, &Grid::rowActivated);
    answerMenu(rightClick(1), 'o');
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);
    EXPECT_EQ(form.Text3->text(), fileUrl + QStringLiteral("|1"));
    EXPECT_EQ(shell.opened, QStringList{fileUrl});

    // Ctrl+C copies the current row's link; a row without an id copies nothing.
    for (const auto& [row, expected] : {std::pair{1, fileUrl}, std::pair{3, QString()}}) {
        QGuiApplication::clipboard()->clear();
        key(row, Qt::Key_C, Qt::ControlModifier)();
        EXPECT_EQ(clipboard(), expected);
    }
    // No menu on the header or below the rows.
    for (QWidget* place : {grid.horizontalHeader()->viewport(), grid.viewport()}) {
        rightClickAt(place, QPoint(5, place->height() - 3));
        QTest::qWait(20);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultActionsTest, OpenedFilesShowVisitedOnEveryPageAndSearchTheHeaderStaysAsDesigned) {
    search(QStringLiteral("film"));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(1, 4));
    ASSERT_EQ(shell.opened, QStringList{fileUrl});
    const auto visitedRows = [this] {
        QList<int> rows;
        for (int row = 1; row < grid.Rows(); ++row) {
            if (textColour(row, 0) == visitedColour() && textColour(row, 8) == visitedColour()) {
                rows << row;
            }
        }
        return rows;
    };
    EXPECT_EQ(visitedRows(), QList<int>{1});
    EXPECT_EQ(grid.model()->index(0, 1).data(Qt::AccessibleDescriptionRole),
              QStringLiteral("abcdef（已访问）"));
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(grid.Cell(2, 1).Text(), QStringLiteral("p2"));
    EXPECT_EQ(visitedRows(), QList<int>{1});
    search(QStringLiteral("other"));
    EXPECT_EQ(visitedRows(), QList<int>{1});

    const QStringList headers{"下载", "fileID", "名称",     "格式", "语言",
                              "版本", "分段",   "电影全名", "时间"};
    const int widths[] = {50, 50, 220, 50, 50, 220, 30, 150, 50};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(grid.Cell(0, k).Text(), headers[k]);
        EXPECT_EQ(grid.columnWidth(k), widths[k]);
    }
}

TEST_F(ResultActionsTest, KeywordsSearchedAreOfferedNewestFirstAndChoosingOnlyFillsTheBox) {
    QStringList keywords;
    for (const int i :
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 0, 1, 2}) {
        keywords = withKeywordFirst(keywords, QString::number(i));
    }
    EXPECT_EQ(keywords.size(), KeywordHistory::kMaxKeywords);
    EXPECT_EQ(keywords.mid(0, 4), (QStringList{"2", "1", "0", "21"}));
    EXPECT_EQ(keywords.last(), QStringLiteral("5"));

    search(QStringLiteral("alpha"));
    form.Text4->setText(QStringLiteral("beta"));
    QTest::keyClick(form.Text4, Qt::Key_Return);
    search(QStringLiteral("alpha"));
    search(QString());  // the empty-keyword message: nothing searched, nothing kept
    QCompleter* completer = form.Text4->completer();
    ASSERT_NE(completer, nullptr);
    QAbstractItemView* popup = completer->popup();
    const auto offered = [completer] {
        QStringList texts;
        for (int i = 0; i < completer->completionCount(); ++i) {
            completer->setCurrentRow(i);
            texts << completer->currentCompletion();
        }
        return texts;
    };

    const size_t requests = server.targets().size();
    form.Text4->setFocus();
    QTest::keyClick(form.Text4, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
    EXPECT_EQ(offered(), (QStringList{"alpha", "beta"}));
    popup->setCurrentIndex(popup->model()->index(1, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(form.Text4->text(), QStringLiteral("beta"));
    EXPECT_EQ(server.targets().size(), requests);  // choosing did not search

    // Typing offers what matches; Enter with nothing chosen searches what was typed.
    form.Text4->clear();
    QTest::keyClicks(form.Text4, QStringLiteral("ph"));
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
    EXPECT_EQ(offered(), QStringList{"alpha"});
    popup->setCurrentIndex(QModelIndex());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(server.targets().back(), "/search/sub:ph");
    EXPECT_FALSE(popup->isVisible());
}

TEST_F(ResultActionsTest, AltLeftAndAltRightPressThePageButtonsOnlyWhenEnabled) {
    search(QStringLiteral("film"));
    const struct {
        Qt::Key key;
        int page;
    } steps[] = {{Qt::Key_Left, 1}, {Qt::Key_Right, 2}, {Qt::Key_Right, 3},
                 {Qt::Key_Left, 2}, {Qt::Key_Left, 1},  {Qt::Key_Left, 1}};
    size_t requests = server.targets().size();
    for (const auto& step : steps) {
        const bool moves = step.page != form.PageNo;
        QTest::keyClick(form.Text4, step.key, Qt::AltModifier);
        EXPECT_EQ(form.PageNo, step.page);
        EXPECT_EQ(server.targets().size(), requests += moves ? 1 : 0);
    }
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(form.Command3->text(), QStringLiteral("上一页"));
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vantrel
