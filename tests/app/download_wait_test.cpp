// The window while a stalling site holds its download: it paints, keeps the input given meanwhile
// for after the procedure, stops on Escape, and closes when asked to.
#include "app/form1.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/loopback_server.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "support/qt_printing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;

class DownloadWaitTest : public ::testing::Test {
protected:
    // The keyword "slow" stalls its first page until `answer` (5 s at most, so that the server can
    // stop); other pages come at once, with one record naming the keyword.
    std::atomic<bool> answer{false};
    testing::LoopbackServer server{[this](httplib::Server& s) {
        s.Get(R"(/search/sub:(.*))", [this](const httplib::Request& req, httplib::Response& res) {
            for (int i = 0; i < 1000 && !answer && req.target == "/search/sub:slow"; ++i) {
                std::this_thread::sleep_for(5ms);
            }
            res.set_content(
                "<subrief><fileid>" + std::string(req.matches[1]) + "</fileid></subrief>",
                "text/xml; charset=utf-8");
        });
    }};
    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    SiteConfig config{server.host(), QString(), QString(), QString()};

    ~DownloadWaitTest() override { answer = true; }

    // Searches for "slow" with Enter, through the window as the desktop's input comes, and runs
    // `during` while the site stalls. Returns once the search procedure has ended.
    void searchSlowly(Form1& form, const std::function<void()>& during) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Text4->setFocus();
        form.Text4->setText(QStringLiteral("slow"));
        QTimer::singleShot(50, &form, during);
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
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
    Form1 form{Platform{http, shell, messages}, config};
    PaintWatch watch(answer);
    form.Text4->installEventFilter(&watch);
    QString keywordDuringWait;
    searchSlowly(form, [&] {
        QWindow* window = form.windowHandle();
        QTest::keyClick(window, 'a');
        QTest::keyClick(window, 'b');
        QTest::keyClick(window, Qt::Key_Return);       // a second search, for "slowab"
        QTest::mouseClick(window, Qt::LeftButton, {},  // then its next page
                          form.Command2->mapTo(&form, form.Command2->rect().center()));
        keywordDuringWait = form.Text4->text();
        watch.armed = true;
        form.Text4->update();
    });
    EXPECT_GT(watch.paints, 0);
    EXPECT_EQ(keywordDuringWait, QStringLiteral("slow"));  // nothing ran mid-procedure
    QTRY_COMPARE(server.targets().size(), 3u);
    EXPECT_EQ(server.targets(), (std::vector<std::string>{"/search/sub:slow", "/search/sub:slowab",
                                                          "/search/sub:slowab?page=2"}));
    EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果  当前第 2 页"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DownloadWaitTest, EscapeCancelsThroughTheErrorPathAndClosingEndsTheProgramQuietly) {
    constexpr int kStillRunning = 2;
    const struct {
        const char* name;
        std::function<void(QWindow*)> stop;
        QString message;       // empty: no message at all
        QString keywordAfter;  // the "z" typed meanwhile lands only in a window that stays
    } cases[] = {
        {"Escape", [](QWindow* window) { QTest::keyClick(window, Qt::Key_Escape); },
         QStringLiteral("运行时错误 '-2147467260':\n\n下载已取消"), QStringLiteral("slowz")},
        {"close", [](QWindow* window) { window->close(); }, QString(), QStringLiteral("slow")},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        Form1 form{Platform{http, shell, messages}, config};
        QElapsedTimer clock;
        qint64 stoppedAfter = -1;
        // In the program's own event loop, which ends by itself when its last window closes.
        QTimer::singleShot(0, &form, [&] {
            searchSlowly(form, [&] {
                QTest::keyClick(form.windowHandle(), 'z');
                clock.start();
                c.stop(form.windowHandle());
            });
            stoppedAfter = clock.elapsed();
            if (form.isVisible()) {
                QCoreApplication::exit(kStillRunning);
            }
        });
        QTimer safety;
        QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        safety.start(10s);
        const int exitCode = QApplication::exec();
        QCoreApplication::sendPostedEvents();

        EXPECT_EQ(exitCode, c.message.isEmpty() ? 0 : kStillRunning) << c.name;
        EXPECT_LT(stoppedAfter, 2000) << c.name << ": the site stalls for 5 s";
        ASSERT_EQ(messages.shown.size(), c.message.isEmpty() ? 0u : 1u) << c.name;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.shown[0].text, c.message);
        }
        EXPECT_EQ(form.Text4->text(), c.keywordAfter) << c.name;
        EXPECT_EQ(form.Text2->text(), QStringLiteral("XML Scource")) << c.name;  // as it was
        EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果")) << c.name;
    }
}

}  // namespace
}  // namespace vantrel
