#include "window/download_wait.h"

#include <qpa/qwindowsysteminterface.h>
#include <QCoreApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QList>
#include <QMimeData>
#include <QUrl>
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

QEvent::Type heldDropType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// What a drop brought, without the drag it came with.
struct HeldDrop final : QEvent {
    HeldDrop(QWidget* target, const QDropEvent& drop)
        : QEvent(heldDropType()),
          target(target),
          position(drop.position()),
          actions(drop.possibleActions()),
          buttons(drop.buttons()),
          modifiers(drop.modifiers()) {
        if (const QMimeData* data = drop.mimeData()) {
            urls = data->urls();
            hasText = data->hasText();
            text = data->text();
        }
    }

    QPointer<QWidget> target;
    QPointF position;
    Qt::DropActions actions;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    QList<QUrl> urls;
    bool hasText = false;
    QString text;
};

}  // namespace

void HeldInput::hold(QObject* receiver, const QEvent& event) {
    held_.push_back(HeldEvent{receiver, std::unique_ptr<QEvent>(event.clone())});
}

void HeldInput::holdDrop(QWidget* receiver, QDropEvent& drop) {
    held_.push_back(HeldEvent{this, std::make_unique<HeldDrop>(receiver, drop)});
    drop.acceptProposedAction();  // the widget took the drag; it gets what was dropped later
}

void HeldInput::handBack() {
    std::vector<HeldEvent> held;
    held.swap(held_);
    for (HeldEvent& one : held) {
        if (one.receiver) {
            QCoreApplication::postEvent(one.receiver, one.event.release());
        }
    }
}

void HeldInput::discard() {
    held_.clear();
}

bool HeldInput::event(QEvent* event) {
    if (event->type() != heldDropType()) {
        return QObject::event(event);
    }
    const auto* held = static_cast<const HeldDrop*>(event);
    if (held->target) {
        QMimeData data;
        if (!held->urls.isEmpty()) {
            data.setUrls(held->urls);
        }
        if (held->hasText) {
            data.setText(held->text);
        }
        // A drop goes to the widget that took the drag as it entered: enter again, then drop.
        QDragEnterEvent enter(held->position.toPoint(), held->actions, &data, held->buttons,
                              held->modifiers);
        QCoreApplication::sendEvent(held->target, &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(held->position, held->actions, &data, held->buttons, held->modifiers);
            QCoreApplication::sendEvent(held->target, &drop);
        }
    }
    return true;
}

DownloadWait::DownloadWait(QWidget& window, HeldInput& held) : window_(window), held_(held) {
    QCoreApplication::instance()->installEventFilter(this);
}

DownloadWait::~DownloadWait() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool DownloadWait::keepWaiting() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A wait that a key or a click started runs inside Qt's delivery of the window system's
    // events, and some platforms' event loops never enter that delivery again (the offscreen
    // one's does not; the X11 one's does when new X events come): whatever was queued behind that
    // key, a close request above all, would wait for the download's end. Handed on here, it
    // reaches the filter below.
    QWindowSystemInterface::sendWindowSystemEvents(QEventLoop::AllEvents);
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
    if (event->type() == QEvent::Drop && watched->isWidgetType()) {
        // Held where the window hands it to the widget under the drag, so that the window's own
        // part of the drag ends now.
        held_.holdDrop(static_cast<QWidget*>(watched), *static_cast<QDropEvent*>(event));
        return true;
    }
    if (!isUserInput(event->type())) {
        return false;
    }
    // Also input that an earlier wait handed back: it stays behind this procedure too, in order.
    held_.hold(watched, *event);
    return true;
}

}  // namespace vantrel
