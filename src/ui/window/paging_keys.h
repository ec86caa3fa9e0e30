#pragma once

class QAbstractButton;
class QWidget;

namespace vantrel {

// Alt+Left and Alt+Right anywhere in the window press the previous- and next-page buttons, as a
// browser's back and forward keys do. A disabled button stays unpressed.
void addPagingKeys(QWidget& window, QAbstractButton& previous, QAbstractButton& next);

}  // namespace vantrel
