#include "window/clickable_label.h"

#include <QMouseEvent>

namespace vantrel {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The default treats it as one more press; the release that follows must not click again.
    pressed_ = false;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace vantrel
