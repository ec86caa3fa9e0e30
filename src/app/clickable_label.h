#pragma once

#include <QLabel>

namespace vantrel {

// A label that reports a click of the left mouse button, as a link label does.
class ClickableLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace vantrel
