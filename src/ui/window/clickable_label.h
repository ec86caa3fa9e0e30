#pragma once

#include <QLabel>

namespace vantrel {

// A label that reports a click of the left mouse button, as a link label does. A double-click
// is a click and then a double-click: only the click is reported.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;  // the left button went down here as a click, not a double-click
};

}  // namespace vantrel
