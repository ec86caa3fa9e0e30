#pragma once

#include <QObject>
#include <QStringList>

class QCompleter;
class QLineEdit;
class QStringListModel;

namespace vantrel {

// The list of keywords searched with one more: newest first, each once, at most kMaxKeywords.
QStringList withKeywordFirst(QStringList keywords, const QString& keyword);

// Offers the keywords searched since the window opened (in memory only) in the keyword box: as a
// drop-down while typing, and on Down or Alt+Down in an empty box. Choosing one puts it in the box
// and does nothing more; Enter while the list shows with nothing chosen in it still reaches the box
// and searches.
class KeywordHistory final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxKeywords = 20;

    explicit KeywordHistory(QLineEdit& box);

    void add(const QString& keyword);
    // Puts a title at the head of the list until the next search, so that Down in the box
    // switches to it at once. An empty title takes back the one offered.
    void offerFirst(const QString& title);
    QStringList keywords() const;
    QCompleter* completer() const { return completer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showList();

    QLineEdit& box_;
    QStringListModel* model_;
    QStringList searched_;
    QString offered_;
    QCompleter* completer_;
};

}  // namespace vantrel
