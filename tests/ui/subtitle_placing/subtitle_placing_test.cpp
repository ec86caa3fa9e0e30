// The window's way from a subtitle archive to a subtitle beside the video: dropped or offered
// from the download folder, chosen in the dialog, asked about before a file is replaced, and
// reported in the bar below the grid, whose buttons hand file URLs to the desktop.
#include "result_view/result_filter_bar.h"
#include "subtitle_placing/place_dialog.h"
#include "subtitle_placing/subtitle_bar.h"
#include "support/archive_builder.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>

namespace vantrel::testing {
namespace {

const QByteArray kSrt = "1\n00:00:01,000 --> 00:00:02,000\n你好，这是简体中文字幕。\n";
const QByteArray kCht = "1\n00:00:01,000 --> 00:00:02,000\n你好，這是繁體中文字幕。\n";

class SubtitlePlacingTest : public WindowTest {
protected:
    SubtitlePlacingTest() {
        test::writeFile(video, {});
        test::writeFile(srt, kSrt);
    }

    void drop(QWidget* target, const QString& path) {
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QDropEvent dropped(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QApplication::sendEvent(target, &dropped);
    }
    PlaceDialog* dialog() const { return form.findChild<PlaceDialog*>(); }
    SubtitleBar* bar() const { return form.findChild<SubtitleBar*>(); }
    QString shownRows() const {
        QStringList rows;
        const QTreeWidget* list = dialog()->subtitleList();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            rows << item->text(0) + u' ' + item->text(1) + u' ' + item->text(2) +
                        (item->isSelected() ? u" *"_s : QString());
        }
        return rows.join(u'|');
    }

    QTemporaryDir folder;
    const QString video = folder.filePath(u"Heat.1995.1080p.BluRay.mkv"_s);
    const QString target = folder.filePath(u"Heat.1995.1080p.BluRay.zh.srt"_s);
    const QString srt = folder.filePath(u"Heat.chs.srt"_s);
};

TEST_F(SubtitlePlacingTest, DroppedSubtitleGoesBesideTheSearchedVideoAndTheBarOpensBoth) {
    form.searchVideoFile(video);
    const QRect gridPlace = grid.geometry();
    auto* filter = form.findChild<ResultFilterBar*>();
    filter->open();
    drop(form.Text4, srt);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->windowTitle(), u"放到视频旁"_s);
    EXPECT_EQ(dialog()->videoBox()->text(), video);
    EXPECT_EQ(shownRows(), u"Heat.chs.srt 简体 srt *"_s);
    click(dialog()->placeButton());
    EXPECT_EQ(test::readFile(target), kSrt);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog() == nullptr; }));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();

    ASSERT_TRUE(bar()->isVisible());
    EXPECT_EQ(bar()->textLabel()->text(), u"已放到视频旁：Heat.1995.1080p.BluRay.zh.srt"_s);
    click(bar()->firstButton());
    click(bar()->secondButton());
    EXPECT_EQ(shell.opened, (QStringList{QUrl::fromLocalFile(folder.path()).toString(),
                                         QUrl::fromLocalFile(video).toString()}));

    // Below the grid, under the filter bar while both show; the grid gets its height back.
    EXPECT_EQ(grid.geometry().bottom() + 1, filter->geometry().top());
    EXPECT_EQ(filter->geometry().bottom() + 1, bar()->geometry().top());
    EXPECT_EQ(bar()->geometry().bottom(), gridPlace.bottom());
    filter->dismiss();
    QTest::qWait(0);  // the bars are put in order once the filter bar has placed itself
    EXPECT_EQ(grid.geometry().bottom() + 1, bar()->geometry().top());
    click(bar()->closeButton());
    EXPECT_EQ(grid.geometry(), gridPlace);
}

TEST_F(SubtitlePlacingTest, TiedBestChoosesNothingAndAnExistingTargetIsOnlyReplacedWhenAsked) {
    const QString zip = folder.filePath(u"subs.zip"_s);
    test::writeArchive(zip, test::TestFormat::Zip, {{"a.chs.srt", kSrt}, {"b.chs.srt", kSrt}});
    test::writeFile(target, "old");
    form.searchVideoFile(video);
    drop(&form, zip);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(shownRows(), u"a.chs.srt 简体 srt|b.chs.srt 简体 srt"_s);
    EXPECT_FALSE(dialog()->placeButton()->isEnabled());

    dialog()->subtitleList()->setCurrentItem(dialog()->subtitleList()->topLevelItem(1));
    click(dialog()->placeButton());
    EXPECT_EQ(messages.shown,
              QStringList{u"放到视频旁? %1 已存在。\n\n要替换它吗？原来的文件会移到回收站。"_s.arg(
                  target)});
    EXPECT_EQ(test::readFile(target), "old");  // declined: nothing written, the dialog stays
    EXPECT_NE(dialog(), nullptr);
    EXPECT_TRUE(bar()->isHidden());
}

TEST_F(SubtitlePlacingTest, ARowChosenSurvivesTheVideoCorrectedWithEnterAndItselfIsNotReplaced) {
    const QString zip = folder.filePath(u"subs.zip"_s);
    test::writeArchive(zip, test::TestFormat::Zip, {{"a.chs.srt", kSrt}, {"b.cht.srt", kCht}});
    const QString other = folder.filePath(u"Other.mkv"_s);
    test::writeFile(other, {});
    form.searchVideoFile(video);
    drop(&form, zip);
    ASSERT_NE(dialog(), nullptr);
    dialog()->subtitleList()->setCurrentItem(dialog()->subtitleList()->topLevelItem(1));
    dialog()->videoBox()->setText(other);
    QTest::keyClick(dialog()->videoBox(), Qt::Key_Return);  // ranks anew, then places
    EXPECT_EQ(test::readFile(folder.filePath(u"Other.zh.srt"_s)), kCht);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog() == nullptr; }));

    // The subtitle file dropped is already where it would go: nothing to ask about.
    test::writeFile(target, kSrt);
    drop(&form, target);
    ASSERT_NE(dialog(), nullptr);
    click(dialog()->placeButton());
    EXPECT_EQ(messages.shown,
              QStringList{u"放到视频旁: 字幕文件已在视频旁：Heat.1995.1080p.BluRay.zh.srt"_s});
    EXPECT_EQ(test::readFile(target), kSrt);
}

TEST_F(SubtitlePlacingTest, TypedSearchAsksForTheVideoRanksAnewForItAndReportsNonSubtitles) {
    const QString zip = folder.filePath(u"subs.zip"_s);
    test::writeArchive(
        zip, test::TestFormat::Zip,
        {{"Heat.1995.720p.WEB-DL.chs.srt", kSrt}, {"Heat.1995.1080p.BluRay.cht.srt", kSrt}});
    search(u"Heat"_s);
    drop(&form, zip);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->videoBox()->text().isEmpty());
    EXPECT_EQ(
        shownRows(),
        u"Heat.1995.720p.WEB-DL.chs.srt 简体 srt *|Heat.1995.1080p.BluRay.cht.srt 繁体 srt"_s);
    EXPECT_FALSE(dialog()->placeButton()->isEnabled());
    dialog()->setVideoChooser([&](QWidget*, const QString& start) {
        EXPECT_EQ(start, folder.path());
        return video;
    });
    click(dialog()->browseButton());
    EXPECT_EQ(
        shownRows(),
        u"Heat.1995.1080p.BluRay.cht.srt 繁体 srt *|Heat.1995.720p.WEB-DL.chs.srt 简体 srt"_s);
    EXPECT_EQ(dialog()->videoBox()->text(), video);
    click(dialog()->placeButton());
    EXPECT_TRUE(QFile::exists(target));

    const QString broken = folder.filePath(u"broken.zip"_s);
    test::writeFile(broken, "not a zip");
    drop(&form, broken);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(u"放到视频旁: "_s)) << messages.shown[0].toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog() == nullptr; }));
}

TEST_F(SubtitlePlacingTest, DropDuringADownloadOpensTheDialogAfterIt) {
    form.Text4->setFocus();
    form.Text4->setText(u"slow"_s);
    QTimer::singleShot(50, &form, [&] {
        drop(form.Text4, srt);
        EXPECT_EQ(dialog(), nullptr);  // held
        release = true;
    });
    QTest::keyClick(form.windowHandle(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog() != nullptr; }));
    EXPECT_EQ(form.Text4->text(), u"slow"_s);  // not pasted, not searched
}

TEST_F(SubtitlePlacingTest, DownloadAfterAFilePageIsOfferedOnceSettledAndNotBefore) {
    search(u"Heat"_s);
    test::writeFile(QDir(downloads.path()).filePath(u"before.srt"_s), kSrt);
    grid.chooseRow(1);  // opens the file page
    ASSERT_EQ(shell.opened.size(), 1);
    const QString part = QDir(downloads.path()).filePath(u"新字幕.srt.part"_s);
    test::writeFile(part, kSrt);
    QTest::qWait(1500);
    EXPECT_TRUE(bar()->isHidden());
    ASSERT_TRUE(QFile::rename(part, QDir(downloads.path()).filePath(u"新字幕.srt"_s)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar()->isVisible(); }));
    EXPECT_EQ(bar()->textLabel()->text(), u"下载的字幕 新字幕.srt 可以放到视频旁"_s);
    EXPECT_EQ(bar()->firstButton()->text(), u"放到视频旁(&P)"_s);
    click(bar()->firstButton());
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->archivePath(), QDir(downloads.path()).filePath(u"新字幕.srt"_s));
    EXPECT_TRUE(bar()->isHidden());
}

}  // namespace
}  // namespace vantrel::testing
