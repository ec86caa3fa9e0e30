#pragma once

#include "desktop/message_box.h"
#include "desktop/shell.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace vantrel::testing {

// Remembers every address handed to the desktop instead of opening it.
class RecordingShell final : public Shell {
public:
    void open(const QString& url) override { opened.append(url); }
    QStringList opened;
};

// Remembers every message, as "title: text"; when `modal`, also shows a real modal box for a
// moment, whose event loop refuses input meant for the window behind it.
class RecordingMessageBox final : public MessageBox {
public:
    void show(QWidget* owner, const QString& title, const QString& text) override {
        shown.append(title + QStringLiteral(": ") + text);
        if (modal) {
            QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
            QTimer::singleShot(100, &box, &QMessageBox::accept);
            box.exec();
        }
    }
    // Questions are remembered in `shown` too, with "?" after the title, and answered `answer`.
    bool ask(QWidget*, const QString& title, const QString& text) override {
        shown.append(title + QStringLiteral("? ") + text);
        return answer;
    }
    QStringList shown;
    bool modal = false;
    bool answer = false;
};

}  // namespace vantrel::testing
