// The window while a stalling site holds its download: it paints, keeps the input given meanwhile
// for after the procedure, stops on Escape, and closes when asked to.
#include "result_view/result_filter_bar.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace vantrel::testing {
namespace {

class DownloadWaitTest : public WindowTest {
protected:
    static constexpr int kStillRunning = 2;

    // Searches for "slow" with Enter, as the desktop's input comes, and runs `during` while the
    // site stalls. Returns once the search procedure has ended.
    void searchSlowly(const std::function<void()>& during) {
        form.Text4->setFocus();
        form.Text4->setText(u"slow"_s);
        QTimer::singleShot(50, &form, during);
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
    }

    // Stops the stalled search with `stop`, in the program's own event loop (which ends by itself
    // once its last window closes), typing "ab" first. Returns the loop's exit code.
    int stopSlowSearch(const std::function<void(QWindow*)>& stop) {
        QElapsedTimer clock;
        QTimer::singleShot(0, &form, [&] {
            searchSlowly([&] {
                QTest::keyClick(form.windowHandle(), 'a');
                QTest::keyClick(form.windowHandle(), 'b');
                clock.start();
                stop(form.windowHandle());
            });
            EXPECT_LT(clock.elapsed(), 2000) << "the site stalls for 5 s";
            if (form.isVisible()) {
                QCoreApplication::exit(kStillRunning);
            }
        });
        QTimer safety;
        QObject::connect(&safety, &QTimer::timeout, &form, [] { QCoreApplication::exit(-1); });
        safety.start(10000);
        const int exitCode = QApplication::exec();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(form.Text2->text(), u"XML Scource"_s);  // as it was
        EXPECT_EQ(caption(), u"搜索结果"_s);
        return exitCode;
    }
};

// Counts paints once armed and lets the site answer at the first: the download only ends early if
// the window painted while it waited.
struct PaintWatch final : QObject {
    explicit PaintWatch(std::atomic<bool>& answer) : answer(answer) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (armed && event->type() == QEvent::Paint) {
            ++paints;
            answer = true;
        }
        return false;
    }
    std::atomic<bool>& answer;
    bool armed = false;
    int paints = 0;
};

TEST_F(DownloadWaitTest, PaintsWhileItWaitsAndRunsTheInputGivenMeanwhileAfterwardsInOrder) {
    PaintWatch watch(release);
    form.Text4->installEventFilter(&watch);
    QString keywordDuringWait;
    searchSlowly([&] {
        QWindow* window = form.windowHandle();
        QTest::keyClick(window, 'a');
        {
            QMimeData dragged;  // goes with the drag, before the drop is handled
            dragged.setText(u"b"_s);
            const QPoint end = form.Text4->rect().bottomRight();
            QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, {});
            QApplication::sendEvent(form.Text4, &enter);
            QApplication::sendEvent(form.Text4, &drop);
        }
        QTest::keyClick(window, Qt::Key_Return);       // a second search, for "slowab"
        QTest::mouseClick(window, Qt::LeftButton, {},  // then its next page
                          form.Command2->mapTo(&form, form.Command2->rect().center()));
        keywordDuringWait = form.Text4->text() + (form.Command2->isDown() ? u"+down"_s : QString());
        watch.armed = true;
        form.Text4->update();
    });
    EXPECT_GT(watch.paints, 0);
    EXPECT_EQ(keywordDuringWait, u"slow"_s);  // nothing reached the window mid-procedure
    // QTRY_COMPARE would only return from the test: it reports to QTest, not to GoogleTest.
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.targets().size() == 3; }));
    EXPECT_EQ(server.targets(), (std::vector<std::string>{"/search/sub:slow", "/search/sub:slowab",
                                                          "/search/sub:slowab?page=2"}));
    EXPECT_EQ(caption(), u"搜索结果  当前第 2 页"_s);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DownloadWaitTest, AVideoFileDroppedDuringTheWaitIsSearchedAfterIt) {
    searchSlowly([&] {
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(u"/v/Heat.1995.1080p.BluRay.mkv"_s)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
        QApplication::sendEvent(form.Text4, &enter);
        QApplication::sendEvent(form.Text4, &drop);
        release = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.targets().size() == 2; }));
    EXPECT_EQ(server.targets(), (std::vector<std::string>{"/search/sub:slow", "/search/sub:Heat"}));
    EXPECT_EQ(form.Text4->text(), u"Heat"_s);
}

TEST_F(DownloadWaitTest, EscapeCancelsThroughTheErrorPathAndClosingEndsTheProgramSilently) {
    messages.modal = true;
    EXPECT_EQ(stopSlowSearch([](QWindow* window) { QTest::keyClick(window, Qt::Key_Escape); }),
              kStillRunning);
    EXPECT_EQ(form.Text4->text(), u"slowab"_s);  // the keys typed meanwhile came after the box
    // With the focus in the filter bar, Escape still cancels, and leaves the bar open.
    auto* bar = form.findChild<ResultFilterBar*>();
    EXPECT_EQ(stopSlowSearch([bar](QWindow* window) {
                  bar->open();
                  QTest::keyClick(window, Qt::Key_Escape);
              }),
              kStillRunning);
    EXPECT_EQ(std::tuple(bar->isVisible(), bar->wordsBox()->text()), std::tuple(true, u"ab"_s));
    EXPECT_EQ(stopSlowSearch([](QWindow* window) { window->close(); }), 0);
    EXPECT_EQ(form.Text4->text(), u"slow"_s);
    const QString cancelled = u"电影Vantrel工具: 运行时错误 '-2147467260':\n\n下载已取消"_s;
    EXPECT_EQ(messages.shown, (QStringList{cancelled, cancelled}));  // closing added none
}

}  // namespace
}  // namespace vantrel::testing
