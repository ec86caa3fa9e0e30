// What the window offers around its results: full texts, the row menu, copying, visited rows, the
// filter and the keywords searched.
#include "grid/grid_model.h"
#include "result_view/result_filter_bar.h"
#include "results/record_marker.h"
#include "support/window_fixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>

#include <functional>
#include <vector>

namespace vantrel::testing {
namespace {

class ResultActionsTest : public WindowTest {
protected:
    ResultActionsTest() { search(u"film"_s); }

    QModelIndex at(int row, int col) const { return grid.model()->index(row - 1, col); }
    // Runs `act`; when it opens the row menu, notes its enabled entries and presses `key` in it.
    QStringList answerMenu(const std::function<void()>& act, char key) {
        QStringList enabled;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &form, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                poll.stop();
                for (const QAction* action : menu->actions()) {
                    if (action->isEnabled() && !action->isSeparator()) {
                        enabled << action->text();
                    }
                }
                QTest::keyClick(menu, key);
                menu->close();  // still open when the key named no enabled entry
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

    const QString fileUrl = u"http://"_s + server.host() + u"/xml/file/abc/abcdef.xml"_s;
};

TEST_F(ResultActionsTest, OnlyCutTextsShowAsTooltipsAndCellsDescribeTheirWholeText) {
    for (const auto& [row, col, cut] : {std::tuple{1, 2, true}, {2, 2, false}, {1, 1, false}}) {
        const QPoint centre = grid.visualRect(at(row, col)).center();
        QHelpEvent help(QEvent::ToolTip, centre, grid.viewport()->mapToGlobal(centre));
        QApplication::sendEvent(grid.viewport(), &help);
        EXPECT_TRUE(QTest::qWaitFor([cut = cut] { return QToolTip::isVisible() == cut; }));
        EXPECT_EQ(QToolTip::text(), cut ? cell(row, col) : QToolTip::text());
        EXPECT_EQ(at(row, col).data(Qt::AccessibleDescriptionRole), cell(row, col));
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
    const QStringList all{u"打开文件页(&O)"_s, u"复制链接(&L)"_s, u"复制文件名(&N)"_s,
                          u"复制整行(&R)"_s, u"筛选(&F)"_s};
    const struct {
        std::function<void()> act;
        char key;  // in the menu; 0: no menu
        QString copied;
        QStringList enabled;
    } cases[] = {
        {rightClick(1), 'l', fileUrl, all},
        {press(1, Qt::Key_Menu, {}), 'n', kLongName, all},
        {press(1, Qt::Key_F10, Qt::ShiftModifier), 'r',
         u"abcdef\t"_s + kLongName + u"\tSRT\t \tv 1\t \t \t "_s, all},
        {rightClick(3), 'r', u" \tno id\t \t \t \t \t \t "_s, all.mid(2)},
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
    EXPECT_EQ(form.Text3->text(), u"clickURL"_s);  // copying opens nothing

    grid.setCurrentIndex(at(2, 0));
    QSignalSpy chosen(&grid, &Grid::rowActivated);
    answerMenu(rightClick(1), 'o');
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 1);  // event 31, the active cell on the row
    EXPECT_EQ(form.Text3->text(), fileUrl + u"|1"_s);
    EXPECT_EQ(shell.opened, QStringList{fileUrl});

    for (QWidget* place : {grid.horizontalHeader()->viewport(), grid.viewport()}) {
        rightClickAt(place, QPoint(5, place->height() - 3));  // header, below the rows
        QTest::qWait(20);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultActionsTest, OpenedFilesShowVisitedOnLaterPagesAndSearches) {
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(at(1, 4)).center());
    ASSERT_EQ(shell.opened, QStringList{fileUrl});
    const auto visited = [this] {
        QList<int> rows;
        for (int row = 1; row < grid.Rows(); ++row) {
            const QString said = at(row, 8).data(Qt::AccessibleDescriptionRole).toString();
            if (at(row, 0).data(Qt::ForegroundRole) == visitedColour() &&
                said.endsWith(u"（已访问）"_s)) {
                rows << row;
            }
        }
        return rows;
    };
    EXPECT_EQ(visited(), QList<int>{1});
    click(form.Command2);
    ASSERT_EQ(cell(2, FileId), u"p2"_s);
    EXPECT_EQ(visited(), QList<int>{1});
    search(u"other"_s);
    EXPECT_EQ(visited(), QList<int>{1});
    EXPECT_EQ(grid.columnWidth(FileName) + grid.columnWidth(UploadDate), 270);  // design kept
}

TEST_F(ResultActionsTest, TheFilterHidesRowsKeepsTheirNumbersAndHoldsUntilEscape) {
    const QRect designed = grid.geometry();
    grid.setFocus();
    grid.setCurrentIndex(at(2, 0));
    QTest::keyClick(&grid, Qt::Key_F, Qt::ControlModifier);
    auto* bar = form.findChild<ResultFilterBar*>();
    QLineEdit* box = bar->wordsBox();
    ASSERT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(grid.geometry().bottom() + bar->height(), designed.bottom());
    // Vectors, not QLists: Qt's comparison of two empty lists passes a null pointer to memcmp.
    const auto filtered = [this, bar](const std::vector<int>& rows) {
        const QString count = u"显示 %1 / %2 条"_s.arg(rows.size()).arg(grid.Rows() - 1);
        return QTest::qWaitFor([&] {
            std::vector<int> shown;
            for (int row = 1; row < grid.Rows(); ++row) {
                if (!grid.isRowHidden(row - 1)) {
                    shown.push_back(row);
                }
            }
            return shown == rows && bar->countLabel()->text() == count &&
                   bar->countLabel()->accessibleName() == count;
        });
    };
    // Full-width capitals, as an input method sends them, find "Long".
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, u"ＬＯＮＧ"_s, Qt::NoModifier);
    EXPECT_TRUE(filtered({1}));
    EXPECT_EQ(grid.ActiveCell().Row(), 1);  // the current row was hidden
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, u"o"_s);
    EXPECT_TRUE(filtered({1, 3}));

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);  // over the hidden row
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_TRUE(form.Text3->text().endsWith(u"|3"_s)) << form.Text3->text().toStdString();
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), box);
    search(u"other"_s);
    EXPECT_TRUE(filtered({1, 3}));

    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClick(bar->languageBox(), Qt::Key_Down);  // 英文, the page's one language
    EXPECT_TRUE(filtered({2}));
    form.Text2->setText(
        insertRecordMarkers(u"<list><subrief><fileid>x</fileid></subrief></list>"_s));
    form.ShowResults();  // a page without it: still chosen, no row shows
    EXPECT_TRUE(filtered({}));
    EXPECT_EQ(bar->languageBox()->currentText(), u"英文"_s);
    QTest::keyClicks(box, u"zz"_s);  // words in force too: Escape ends both
    QTest::keyClick(bar->languageBox(), Qt::Key_Escape);
    EXPECT_TRUE(filtered({1}));
    EXPECT_EQ(std::tuple(bar->isHidden(), grid.geometry(), box->text()),
              std::tuple(true, designed, QString()));
    answerMenu([this] { rightClickAt(grid.viewport(), grid.visualRect(at(2, 3)).center()); }, 'f');
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(ResultActionsTest, TheLanguageChoiceIsLabelledForScreenReaders) {
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_F, Qt::ControlModifier);
    QComboBox* choice = form.findChild<ResultFilterBar*>()->languageBox();
    QAccessibleInterface* said = QAccessible::queryAccessibleInterface(choice);
    ASSERT_NE(said, nullptr);
    QStringList labels;
    for (const auto& [label, relation] : said->relations(QAccessible::Label)) {
        labels << label->text(QAccessible::Name);
        EXPECT_TRUE(qobject_cast<QWidget*>(label->object())->isVisible());
    }
    EXPECT_EQ(labels, QStringList{u"语言"_s});
}

TEST_F(ResultActionsTest, KeywordsSearchedAreOfferedNewestFirstAndChoosingOnlyFillsTheBox) {
    for (int i = 0; i < 22; ++i) {
        search(u"k%1"_s.arg(i));
    }
    search(u"k5"_s);
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
    EXPECT_EQ(std::tuple(all.size(), all.mid(0, 3), all.last()),
              std::tuple(20, QStringList{u"k5"_s, u"k21"_s, u"k20"_s}, u"k2"_s));

    const size_t requests = server.targets().size();
    popup->setCurrentIndex(popup->model()->index(1, 0));
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(form.Text4->text(), u"k21"_s);
    EXPECT_EQ(server.targets().size(), requests);  // choosing did not search

    // Typing offers what matches; Enter with nothing chosen searches what was typed.
    form.Text4->clear();
    QTest::keyClicks(form.Text4, u"k1"_s);
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }, 2000));
    EXPECT_EQ(offered().size(), 10);  // k10 to k19: k1 fell out of the twenty
    popup->setCurrentIndex(QModelIndex());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(server.targets().back(), "/search/sub:k1");
}

TEST_F(ResultActionsTest, AVideoFileSearchesItsFilmAndMarksTheRowsOfItsRelease) {
    const auto drop = [this](const QUrl& url) {
        QMimeData data;
        data.setUrls({url});
        // As the desktop delivers it: the drop reaches the widget that took the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.Text4, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.Text4, &event);
    };
    const auto marked = [this](int row) {
        const QString note = u"（与视频版本相符）"_s;
        const bool bold = grid.model()->data(at(row, 5), Qt::FontRole).value<QFont>().bold();
        const bool described =
            grid.model()->data(at(row, 5), Qt::AccessibleDescriptionRole).toString().endsWith(note);
        const bool tipped =
            grid.model()->data(at(row, 2), Qt::ToolTipRole).toString() == kLongName + note;
        EXPECT_EQ(bold, described);
        return bold && (row != 1 || tipped);
    };
    drop(QUrl(u"http://example.org/英雄.Hero.2024.1080p.BluRay.mkv"_s));  // not a local file
    EXPECT_EQ(form.Text4->text(), u"film"_s);
    drop(QUrl::fromLocalFile(u"/videos/英雄.Hero.2024.1080p.BluRay.mkv"_s));
    EXPECT_EQ(form.Text4->text(), u"英雄"_s);
    EXPECT_TRUE(form.Text1->text().endsWith(u"/search/sub:%E8%8B%B1%E9%9B%84"_s));
    for (int page = 1; page <= 2; ++page) {
        EXPECT_TRUE(marked(1)) << page;  // BluRay and 1080p in its name
        EXPECT_FALSE(marked(2)) << page;
        click(form.Command2);
    }
    QTest::keyClick(form.Text4, Qt::Key_Down);  // the other title, first in the list
    EXPECT_EQ(form.Text4->text(), u"Hero"_s);
    search(u"film"_s);  // typed by hand: no marks, no title offered
    EXPECT_FALSE(marked(1));
    const QAbstractItemModel* list = form.Text4->completer()->model();
    EXPECT_EQ(std::pair(list->rowCount(), list->index(0, 0).data().toString()),
              std::pair(2, u"film"_s));
    form.searchVideoFile(u"/videos/VTS_01_1.VOB"_s);  // no title anywhere
    EXPECT_EQ(form.Text4->text(), QString());
    EXPECT_EQ(messages.shown, QStringList{u"信息: 字幕名称不能为空！^__^"_s});
}

TEST_F(ResultActionsTest, AFileWhoseTitleFindsNothingSearchesItsOtherTitleOnce) {
    const auto keywordAndRows = [this] { return std::pair(form.Text4->text(), grid.Rows()); };
    form.searchVideoFile(u"/videos/无人区.No.Mans.Land.2013.1080p.BluRay.mkv"_s);
    EXPECT_EQ(keywordAndRows(), std::pair(u"No Mans Land"_s, 4));
    EXPECT_EQ(form.Frame3->title(), u"搜索结果  当前第 1 页"_s);
    QTest::keyClick(form.Text4, Qt::Key_Down);  // the first title is offered back
    EXPECT_EQ(form.Text4->text(), u"无人区"_s);
    search(u"无人区"_s);  // typed: never repeated
    EXPECT_EQ(keywordAndRows(), std::pair(u"无人区"_s, 1));
    form.searchVideoFile(u"/videos/无人区.2013.mkv"_s);  // no other title to try
    EXPECT_EQ(keywordAndRows(), std::pair(u"无人区"_s, 1));
    EXPECT_TRUE(messages.shown.isEmpty());
}

}  // namespace
}  // namespace vantrel::testing
