// Closing the window as the desktop asks for it, while a download waits on a site that does not
// answer: through the window system's queue, as a close button's request comes, not through
// QWindow::close(), which skips that queue and Qt's checks for modal windows.
#include "support/window_fixture.h"

#include <qpa/qwindowsysteminterface.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

namespace vantrel::testing {
namespace {

using Desktop = QWindowSystemInterface;
using Queued = QWindowSystemInterface::AsynchronousDelivery;

// A key as the desktop sends it: queued, delivered by the event loop.
void queueKey(QWindow* window, int key, const QString& text) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        Desktop::handleKeyEvent<Queued>(window, type, key, Qt::NoModifier, text);
    }
}

class CloseRequestTest : public WindowTest {};

TEST_F(CloseRequestTest, EndsTheProgramAtOnceAfterACancelledDownloadEveryTime) {
    messages.modal = true;  // a real modal box, dismissed a moment later
    for (int round = 0; round < 8; ++round) {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        const qsizetype shown = messages.shown.size();
        QElapsedTimer clock;
        // Even rounds: the search's Return and the close request come in one batch, as when the
        // window was busy; odd rounds: the close comes while the download waits.
        const bool oneBatch = round % 2 == 0;
        QTimer::singleShot(0, &form, [&] {
            QWindow* window = form.windowHandle();
            form.Text4->setFocus();
            form.Text4->setText(u"slow"_s);
            QTimer::singleShot(50, &form, [window] { QTest::keyClick(window, Qt::Key_Escape); });
            QTest::keyClick(window, Qt::Key_Return);  // cancelled, its message dismissed
            queueKey(window, Qt::Key_Return, u"\r"_s);
            if (!oneBatch) {
                QTimer::singleShot(50, &form, [&clock, window] {
                    clock.start();
                    Desktop::handleCloseEvent<Queued>(window);
                });
                return;
            }
            clock.start();
            Desktop::handleCloseEvent<Queued>(window);
        });
        QTimer tooLate;
        QObject::connect(&tooLate, &QTimer::timeout, &form, [] { QCoreApplication::exit(-1); });
        tooLate.start(1500);
        ASSERT_EQ(QApplication::exec(), 0) << "round " << round;
        EXPECT_LT(clock.elapsed(), 1000) << "round " << round;
        EXPECT_EQ(messages.shown.size(), shown + 1) << "round " << round;  // the cancel's alone
        EXPECT_EQ(form.Text2->text(), u"XML Scource"_s);
    }
}

TEST_F(CloseRequestTest, InputThatComesAfterTheCloseStartsNothing) {
    form.Text4->setText(u"slow"_s);
    form.close();
    QCoreApplication::postEvent(
        form.Text4, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s));
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::sendPostedEvents();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(form.Text1->text(), u"SearchURL"_s);
}

}  // namespace
}  // namespace vantrel::testing
