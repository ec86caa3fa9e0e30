#include "desktop/hidden_text_field.h"

#include <utility>

namespace vantrel {

HiddenTextField::HiddenTextField(QString initialText, QWidget* parent)
    : QWidget(parent), text_(std::move(initialText)) {
    QWidget::setVisible(false);
}

void HiddenTextField::setVisible(bool) {
    // Showing the parent window must not show a state field.
    QWidget::setVisible(false);
}

}  // namespace vantrel
