#pragma once

#include <QString>

class QWidget;

namespace vantrel {

// Modal messages without an icon: one with a single OK button, and a question.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget* owner, const QString& title, const QString& text) = 0;
    // Yes and No, No the default (Escape and closing the box answer No); true for Yes.
    virtual bool ask(QWidget* owner, const QString& title, const QString& text) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void show(QWidget* owner, const QString& title, const QString& text) override;
    bool ask(QWidget* owner, const QString& title, const QString& text) override;
};

}  // namespace vantrel
