#include "window/keyword_history.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace vantrel {

QStringList withKeywordFirst(QStringList keywords, const QString& keyword) {
    keywords.removeAll(keyword);
    keywords.prepend(keyword);
    while (keywords.size() > KeywordHistory::kMaxKeywords) {
        keywords.removeLast();
    }
    return keywords;
}

KeywordHistory::KeywordHistory(QLineEdit& box)
    : QObject(&box),
      box_(box),
      model_(new QStringListModel(this)),
      completer_(new QCompleter(model_, this)) {
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setFilterMode(Qt::MatchContains);  // a film is often remembered by a middle word
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setModelSorting(QCompleter::UnsortedModel);
    box_.setCompleter(completer_);
    box_.installEventFilter(this);
    completer_->popup()->installEventFilter(this);
}

void KeywordHistory::add(const QString& keyword) {
    searched_ = withKeywordFirst(searched_, keyword);
    showList();
}

void KeywordHistory::offerFirst(const QString& title) {
    offered_ = title;
    showList();
}

void KeywordHistory::showList() {
    QStringList list = searched_;
    if (!offered_.isEmpty()) {
        list.removeAll(offered_);
        list.prepend(offered_);
    }
    model_->setStringList(list);
}

QStringList KeywordHistory::keywords() const {
    return searched_;
}

bool KeywordHistory::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    QAbstractItemView* popup = completer_->popup();
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool down =
        key->key() == Qt::Key_Down && (mods == Qt::NoModifier || mods == Qt::AltModifier);
    const bool offering = !offered_.isEmpty() && box_.text() != offered_;
    if (watched == &box_ && down && (box_.text().isEmpty() || offering) && model_->rowCount() > 0) {
        completer_->setCompletionPrefix(QString());
        completer_->complete();
        if (offering) {
            // The offered title becomes current, and the box's text: one key switches to it.
            popup->setCurrentIndex(completer_->completionModel()->index(0, 0));
            box_.setText(offered_);
        }
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == popup && enter && !popup->currentIndex().isValid()) {
        // Nothing chosen from the list: Enter is the box's, and searches as always.
        popup->hide();
        QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(&box_, &forwarded);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantrel
