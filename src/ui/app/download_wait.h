#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QEvent;
class QWidget;

namespace vantrel {

// Raised when the user closed the window while a procedure waited on the site. The window's error
// path ends the procedure without a message and closes the window.
struct WindowClosedDuringWait {};

// Keeps the window alive while one of its procedures waits on a download: each keepWaiting() is
// one round of the event loop, so the window paints and answers the desktop. While it lives, an
// application-wide filter holds back every input event, to be handed back in the order given
// once the wait is over, so that no other procedure can start in the middle of this one. Escape
// and closing the window are the two exceptions: both end the wait.
class DownloadWait final : public QObject {
public:
    explicit DownloadWait(QWidget& window);
    ~DownloadWait() override;  // re-posts the held input, unless the window was closed
    DownloadWait(const DownloadWait&) = delete;
    DownloadWait& operator=(const DownloadWait&) = delete;

    // Runs the pending events; false once the user pressed Escape or closed the window.
    bool keepWaiting();
    bool windowClosed() const { return windowClosed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HeldEvent {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };

    QWidget& window_;
    std::vector<HeldEvent> held_;
    bool escapePressed_ = false;
    bool windowClosed_ = false;
};

}  // namespace vantrel
