#include "desktop/message_box.h"

#include <QMessageBox>

namespace vantrel {

void QtMessageBox::show(QWidget* owner, const QString& title, const QString& text) {
    // The static helpers always add an icon; this one has none.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtMessageBox::ask(QWidget* owner, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace vantrel
