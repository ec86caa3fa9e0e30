#include "app/download_wait.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace vantrel {
namespace {

// The events by which the user asks for something: held back during a wait. Queries (input
// method, tool tips, shortcut overrides) pass, since they only ask and change nothing.
bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return false;
    }
}

bool isEscape(const QEvent* event) {
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
           static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

}  // namespace

DownloadWait::DownloadWait(QWidget& window) : window_(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

DownloadWait::~DownloadWait() {
    QCoreApplication::instance()->removeEventFilter(this);
    if (windowClosed_) {
        return;  // nothing more runs in a window that is going away
    }
    for (HeldEvent& held : held_) {
        if (held.receiver) {
            QCoreApplication::postEvent(held.receiver, held.event.release());
        }
    }
}

bool DownloadWait::keepWaiting() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !escapePressed_ && !windowClosed_;
}

bool DownloadWait::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close &&
        (watched == &window_ || watched == window_.windowHandle())) {
        windowClosed_ = true;  // the window closes once the procedure has let go of it
        return true;
    }
    if (isEscape(event)) {
        escapePressed_ = escapePressed_ || event->type() == QEvent::KeyPress;
        return true;
    }
    if (!isUserInput(event->type())) {
        return false;
    }
    // Also input that an earlier wait handed back: it stays behind this procedure too, in order.
    held_.push_back(HeldEvent{watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

}  // namespace vantrel
