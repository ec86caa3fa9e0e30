// What the window offers around its results: full texts, the row menu, copying, visited rows,
// the keywords searched and the paging keys, in the real window against a loopback site.
#include "app/form1.h"
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

const std::string kLongName = "A.Very.Long.Film.Name.2024.1080p.BluRay.x264-GROUP.chs.srt";

// Every page lists abcdef (long name), a record named after the page, and one without an id.
void siteRoutes(httplib::Server& server) {
    server.Get(R"(/search/sub:.*)", [](const httplib::Request& request, httplib::Response& out) {
        const std::string page = request.has_param("page") ? request.get_param_value("page") : "1";
        out.set_content("<list><subrief><fileid>abcdef</fileid><filename>" + kLongName +
                            "</filename><format>SRT</format><splitby>v\t1</splitby></subrief>"
                            "<subrief><fileid>p" +
                            page +
                            "</fileid><filename>s</filename>"
                            "</subrief><subrief><filename>no id</filename></subrief></list>",
                        "text/xml; charset=utf-8");
    });
}

class ResultActionsTest : public ::testing::Test {
protected:
    ResultActionsTest() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        search(QStringLiteral("film"));
    }
    void search(const QString& keyword) {
        form.Text4->setText(keyword);
        QTest::mouseClick(form.goCmd, Qt::LeftButton);
    }
    QModelIndex at(int row, int col) const { return grid.model()->index(row - 1, col); }
    // Runs `act`; when it opens the row menu, notes its enabled entries and presses `key` in it.
    QStringList answerMenu(const std::function<void()>& act, char key) {
        QStringList enabled;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                poll.stop();
                for (const QAction* action : menu->actions()) {
                    if (action->isEnabled() && !action->isSeparator()) {
                        enabled << action->text();
                    }
                }
                QTest::keyClick(menu, key);
            }
        });
        poll.start(5);
        act();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !poll.isActive(); }, 2000));
        return enabled;
    }
    // What the window makes of a right mouse press: a menu request where the mouse is.
    static void rightClickAt(QWidget* widget, const QPoint& pos) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
        QApplication::sendEvent(widget, &event);
    }

    testing::LoopbackServer server{siteRoutes};
    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{server.host(), QString(), QString(), QString()}};
    Grid& grid = *form.Grid1;
    QString fileUrl = "http://" + server.host() + "/xml/file/abc/abcdef.xml";
};

TEST_F(ResultActionsTest, OnlyCutTextsShowAsTooltipsAndCellsDescribeTheirWholeText) {
    for (const auto& [row, col, cut] : {std::tuple{1, 2, true}, {2, 2, false}, {1, 1, false}}) {
        const QPoint centre = grid.visualRect(at(row, col)).center();
        QHelpEvent help(QEvent::ToolTip, centre, grid.viewport()->mapToGlobal(centre));
        QApplication::sendEvent(grid.viewport(), &help);
        EXPECT_TRUE(QTest::qWaitFor([cut = cut] { return QToolTip::isVisible() == cut; }));
        EXPECT_EQ(QToolTip::text(), cut ? grid.Cell(row, col).Text() : QToolTip::text());
        EXPECT_EQ(at(row, col).data(Qt::AccessibleDescriptionRole), grid.Cell(row, col).Text());
    }
}

TEST_F(ResultActionsTest, MenuEntriesAndCtrlCCopyWhatTheySayAndOpenGoesAsADoubleClick) {
    const auto rightClick = [this](int row) {
        return [this, row] { rightClickAt(grid.viewport(), grid.visualRect(at(row, 3)).center()); };
    };
    const auto press = [this](int row, Qt::Key key, Qt::KeyboardModifiers mods) {
        return [this, row, key, mods] {
            grid.setFocus();
            grid.setCurrentIndex(at(row, 0));
            QTest::keyClick(&grid, key, mods);
        };
    };
    const QStringList all{"打开文件页(&O)", "复制链接(&L)", "复制文件名(&N)", "复制整行(&R)"};
    const struct {
        std::function<void()> act;
        char key;  // in the menu; 0: no menu
        QString copied;
        QStringList enabled;
    } cases[] = {
        {rightClick(1), 'l', fileUrl, all},
        {press(1, Qt::Key_Menu, {}), 'n', QString::fromStdString(kLongName), all},
        {press(1, Qt::Key_F10, Qt::ShiftModifier), 'r',
         "abcdef\t" + QString::fromStdString(kLongName) + "\tSRT\t \tv 1\t \t \t ", all},
        {rightClick(3), 'r', " \tno id\t \t \t \t \t \t ", all.mid(2)},
        {press(1, Qt::Key_C, Qt::ControlModifier), 0, fileUrl, {}},
        {press(3, Qt::Key_C, Qt::ControlModifier), 0, QString(), {}},
    };
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->clear();
        if (c.key == 0) {
            c.act();
        } else {
            EXPECT_EQ(answerMenu(c.act, c.key), c.enabled);
        }
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.copied);
    }
    EXPECT_EQ(form.Text3->text(), QStringLiteral("clickURL"));  // copying opens nothing

    grid.setCurrentIndex(at(2, 0));
    QSignalSpy chosen(&grid, &Grid::rowActivated);
    answerMenu(rightClick(1), 'o');
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);  // event 31, the active cell on the row
    EXPECT_EQ(form.Text3->text(), fileUrl + "|1");
    EXPECT_EQ(shell.opened, QStringList{fileUrl});

    for (QWidget* place : {grid.horizontalHeader()->viewport(), grid.viewport()}) {
        rightClickAt(place, QPoint(5, place->height() - 3));  // header, below the rows
        QTest::qWait(20);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultActionsTest, OpenedFilesShowVisitedOnLaterPagesAndSearchesAndTheGridKeepsItsDesign) {
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(at(1, 4)).center());
    ASSERT_EQ(shell.opened, QStringList{fileUrl});
    const auto visited = [this] {
        QList<int> rows;
        for (int row = 1; row < grid.Rows(); ++row) {
            if (at(row, 0).data(Qt::ForegroundRole) == visitedColour() &&
                at(row, 8).data(Qt::AccessibleDescriptionRole).toString().endsWith("（已访问）")) {
                rows << row;
            }
        }
        return rows;
    };
    EXPECT_EQ(visited(), QList<int>{1});
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    ASSERT_EQ(grid.Cell(2, 1).Text(), QStringLiteral("p2"));
    EXPECT_EQ(visited(), QList<int>{1});
    search(QStringLiteral("other"));
    EXPECT_EQ(visited(), QList<int>{1});

    EXPECT_EQ(grid.Cell(0, 1).Text(), QStringLiteral("fileID"));  // the design is untouched
    EXPECT_EQ(grid.columnWidth(2) + grid.columnWidth(8), 270);
}

TEST_F(ResultActionsTest, KeywordsSearchedAreOfferedNewestFirstAndChoosingOnlyFillsTheBox) {
    for (int i = 0; i < 22; ++i) {
        search(QStringLiteral("k%1").arg(i));
    }
    search(QStringLiteral("k5"));
    form.Text4->clear();
    QTest::keyClick(form.Text4, Qt::Key_Return);  // the empty-keyword message: nothing kept
    QCompleter* completer = form.Text4->completer();
    QAbstractItemView* popup = completer->popup();
    const auto offered = [completer] {
        QStringList texts;
        for (int i = 0; i < completer->completionCount(); ++i) {
            completer->setCurrentRow(i);
            texts << completer->currentCompletion();
        }
        return texts;
    };

    form.Text4->setFocus();
    QTest::keyClick(form.Text4, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
    const QStringList all = offered();
    EXPECT_EQ(all.size(), 20);
    EXPECT_EQ(all.mid(0, 3), (QStringList{"k5", "k21", "k20"}));
    EXPECT_EQ(all.last(), QStringLiteral("k2"));

    const size_t requests = server.targets().size();
    popup->setCurrentIndex(popup->model()->index(1, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(form.Text4->text(), QStringLiteral("k21"));
    EXPECT_EQ(server.targets().size(), requests);  // choosing did not search

    // Typing offers what matches; Enter with nothing chosen searches what was typed.
    form.Text4->clear();
    QTest::keyClicks(form.Text4, QStringLiteral("k1"));
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
    EXPECT_EQ(offered().size(), 10);  // k10 to k19: k1 fell out of the twenty
    popup->setCurrentIndex(QModelIndex());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(server.targets().back(), "/search/sub:k1");
}

TEST_F(ResultActionsTest, AltLeftAndAltRightPressThePageButtonsOnlyWhenEnabled) {
    size_t requests = server.targets().size();
    for (const auto& [key, page] : {std::pair{Qt::Key_Left, 1},
                                    {Qt::Key_Right, 2},
                                    {Qt::Key_Right, 3},
                                    {Qt::Key_Left, 2},
                                    {Qt::Key_Left, 1},
                                    {Qt::Key_Left, 1}}) {
        requests += page != form.PageNo ? 1 : 0;
        QTest::keyClick(form.Text4, key, Qt::AltModifier);
        EXPECT_EQ(form.PageNo, page);
        EXPECT_EQ(server.targets().size(), requests);
    }
}

}  // namespace
}  // namespace vantrel
