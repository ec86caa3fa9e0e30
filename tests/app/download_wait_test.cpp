// The window during a download from a site that stalls: it paints, holds the user's input for
// after the procedure, stops on Escape, and closes when asked to.
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
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <iostream>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;

// The keyword "slow" stalls its first page until the gate opens (or 5 s pass, so that the server
// can always stop); every other page answers at once with one record naming the keyword.
class StallingSite {
public:
    std::atomic<bool> open{false};
    testing::LoopbackServer server{[this](httplib::Server& s) {
        s.Get(R"(/search/sub:(.*))", [this](const httplib::Request& req, httplib::Response& res) {
            const auto giveUp = std::chrono::steady_clock::now() + 5s;
            while (req.target == "/search/sub:slow" && !open &&
                   std::chrono::steady_clock::now() < giveUp) {
                std::this_thread::sleep_for(5ms);
            }
            res.set_content("<list><subrief><fileid>" + std::string(req.matches[1]) +
                                "</fileid></subrief></list>",
                            "text/xml; charset=utf-8");
        });
    }};
    ~StallingSite() { open = true; }
};

// Counts the paints of a widget once armed, and opens the gate at the first: the download can
// only end early if the window painted while it waited.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(std::atomic<bool>& gate) : gate_(gate) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (armed && event->type() == QEvent::Paint) {
            ++paints;
            gate_ = true;
        }
        return QObject::eventFilter(watched, event);
    }
    bool armed = false;
    int paints = 0;

private:
    std::atomic<bool>& gate_;
};

class DownloadWaitTest : public ::testing::Test {
protected:
    StallingSite site;
    CurlHttpClient http;  // the real bounds: the stall is far shorter
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    SiteConfig config{site.server.host(), QString(), QString(), QString()};

    // Starts a search for "slow" with Enter and runs `during` while the site stalls; returns
    // after the search procedure has ended. Input goes through the window, as the desktop's does.
    void searchSlowly(Form1& form, const std::function<void()>& during) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.Text4->setFocus();
        form.Text4->setText(QStringLiteral("slow"));
        QTimer::singleShot(50, &form, during);
        QTest::keyClick(form.windowHandle(), Qt::Key_Return);
    }
};

TEST_F(DownloadWaitTest, PaintsWhileItWaitsAndRunsTheInputGivenMeanwhileAfterwardsInOrder) {
    Form1 form{Platform{http, shell, messages}, config};
    PaintWatch watch(site.open);
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
    QTRY_COMPARE(site.server.targets().size(), 3u);
    EXPECT_EQ(site.server.targets(),
              (std::vector<std::string>{"/search/sub:slow", "/search/sub:slowab",
                                        "/search/sub:slowab?page=2"}));
    EXPECT_EQ(form.Text4->text(), QStringLiteral("slowab"));
    EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果  当前第 2 页"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DownloadWaitTest, EscapeCancelsThroughTheErrorPathAndClosingEndsTheWindowQuietly) {
    struct Case {
        const char* name;
        std::function<void(Form1&)> stop;
        QString message;  // empty: no message at all
        bool stillOpen;
        QString keywordAfter;  // the "z" typed during the wait lands only in a window that stays
    };
    constexpr int kStillRunning = 2;
    const Case cases[] = {
        {"Escape", [](Form1& form) { QTest::keyClick(form.windowHandle(), Qt::Key_Escape); },
         QStringLiteral("运行时错误 '-2147467260':\n\n下载已取消"), true, QStringLiteral("slowz")},
        {"close", [](Form1& form) { form.windowHandle()->close(); }, QString(), false,
         QStringLiteral("slow")},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        Form1 form{Platform{http, shell, messages}, config};
        const QString pageBefore = form.Text2->text();
        QElapsedTimer clock;
        qint64 stoppedAfter = -1;
        // In the program's own event loop, which ends by itself once its last window has closed.
        QTimer::singleShot(0, &form, [&] {
            searchSlowly(form, [&] {
                QTest::keyClick(form.windowHandle(), 'z');
                clock.start();
                c.stop(form);
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

        EXPECT_EQ(exitCode, c.stillOpen ? kStillRunning : 0) << c.name;
        EXPECT_LT(stoppedAfter, 2000) << c.name << ": the site stalls for 5 s";
        ASSERT_EQ(messages.shown.size(), c.message.isEmpty() ? 0u : 1u) << c.name;
        if (!c.message.isEmpty()) {
            EXPECT_EQ(messages.shown[0].text, c.message);
        }
        EXPECT_EQ(form.isVisible(), c.stillOpen) << c.name;
        EXPECT_EQ(form.Text4->text(), c.keywordAfter) << c.name;
        EXPECT_EQ(form.Text2->text(), pageBefore) << c.name;
        EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果")) << c.name;
        std::cout << c.name << " stopped the download after " << stoppedAfter << " ms\n";
    }
}

}  // namespace
}  // namespace vantrel
