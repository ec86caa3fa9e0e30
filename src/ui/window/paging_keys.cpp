#include "window/paging_keys.h"

#include <QAbstractButton>
#include <QShortcut>

namespace vantrel {

namespace {

void pressWithKey(QWidget& window, QAbstractButton& button, const QKeySequence& key) {
    auto* shortcut = new QShortcut(key, &window);
    QObject::connect(shortcut, &QShortcut::activated, &button, [&button] {
        if (button.isEnabled()) {
            button.click();
        }
    });
}

}  // namespace

void addPagingKeys(QWidget& window, QAbstractButton& previous, QAbstractButton& next) {
    pressWithKey(window, previous, QKeySequence(Qt::ALT | Qt::Key_Left));
    pressWithKey(window, next, QKeySequence(Qt::ALT | Qt::Key_Right));
}

}  // namespace vantrel
