#pragma once

#include <QString>
#include <QWidget>

#include <utility>

namespace vantrel {

// A text box of the window that is never shown: it carries the state of a search from one
// procedure to the next. It holds text of any length exactly, and costs no layout work, which a
// hidden QLineEdit (truncates at 32767) or QPlainTextEdit (lays out megabytes) would not.
class HiddenTextField final : public QWidget {
    Q_OBJECT
public:
    explicit HiddenTextField(QString initialText, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text) { text_ = text; }
    void setText(QString&& text) { text_ = std::move(text); }

    void setVisible(bool visible) override;

private:
    QString text_;
};

}  // namespace vantrel
