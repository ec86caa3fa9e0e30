#include "desktop/message_box.h"

#include <QMessageBox>

namespace vantrel {

void QtMessageBox::show(QWidget* owner, const QString& title, const QString& text) {
    // The static helpers always add an icon; this one has none.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace vantrel
