#pragma once

#include "desktop/message_box.h"
#include "desktop/shell.h"

#include <QString>
#include <QStringList>

namespace vantrel::testing {

// Remembers every address handed to the desktop instead of opening it.
class RecordingShell final : public Shell {
public:
    void open(const QString& url) override { opened.append(url); }
    QStringList opened;
};

// Remembers every message, as "title: text", instead of showing a modal box.
class RecordingMessageBox final : public MessageBox {
public:
    void show(QWidget*, const QString& title, const QString& text) override {
        shown.append(title + QStringLiteral(": ") + text);
    }
    QStringList shown;
};

}  // namespace vantrel::testing
