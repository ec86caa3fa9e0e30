#pragma once

#include <QString>

class QWidget;

namespace vantrel {

// A modal message with a single OK button and no icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* owner, const QString& title, const QString& text) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void show(QWidget* owner, const QString& title, const QString& text) override;
};

}  // namespace vantrel
