#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QDropEvent;
class QEvent;
class QWidget;

namespace vantrel {

// Raised when the user closed the window while a procedure waited on the site. The window's error
// path ends the procedure without a message and closes the window.
struct WindowClosedDuringWait {};

// The input given while a procedure waited, in the order given. The window hands it back once
// that procedure has ended and any message it ended in is closed: a modal box's event loop throws
// away input meant for the window behind it.
class HeldInput final : public QObject {
public:
    using QObject::QObject;

    void hold(QObject* receiver, const QEvent& event);
    // A drop's data belongs to the drag and goes with it: the dropped URLs and text are kept.
    void holdDrop(QWidget* receiver, QDropEvent& drop);

    void handBack();  // posts it all, in order, and forgets it
    void discard();

protected:
    bool event(QEvent* event) override;  // a held drop, delivered in its turn

private:
    struct HeldEvent {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<HeldEvent> held_;
};

// Keeps the window alive while one of its procedures waits on a download: each keepWaiting() is
// one round of the event loop, so the window paints and answers the desktop. While it lives, an
// application-wide filter holds back every input event in `held`, so that no other procedure can
// start in the middle of this one. Escape and closing the window are the two exceptions: both
// end the wait. Drags entering or moving over the window are answered at once, as they must be.
class DownloadWait final : public QObject {
public:
    DownloadWait(QWidget& window, HeldInput& held);
    ~DownloadWait() override;
    DownloadWait(const DownloadWait&) = delete;
    DownloadWait& operator=(const DownloadWait&) = delete;

    // Runs the pending events; false once the user pressed Escape or closed the window.
    bool keepWaiting();
    bool windowClosed() const { return windowClosed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    HeldInput& held_;
    bool escapePressed_ = false;
    bool windowClosed_ = false;
};

}  // namespace vantrel
