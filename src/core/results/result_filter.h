#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace vantrel {

// A text as the filter compares it: compatibility forms (full-width letters and digits, the
// ideographic space) become their plain forms and case is dropped, so "ＢｌｕＲａｙ" and "bluray"
// are one word.
QString foldedForFilter(const QString& text);

// Narrows a page of results without touching it: the page's rows are taken once, folded, and
// each query then answers which of them stay. The rows keep their numbers; nothing is reordered.
class ResultFilter {
public:
    // Forgets the page; the rows of the next one follow with addRow, in order.
    void clear();
    // The next row of the page: the three texts words are looked for in, and its language.
    void addRow(const QString& name, const QString& version, const QString& filmName,
                const QString& language);
    int rowCount() const { return static_cast<int>(rowLanguage_.size()); }

    // The languages of the page, commonest first; as common ones in the order they first appear.
    // A blank language is none. Each is given as its first row writes it.
    QStringList languages() const;

    // One entry per row: whether the row holds every word of `typed` (split at blanks) in its
    // name, version or film name, and, unless `language` is empty, has that language. Both are
    // folded alike, so width and case do not matter. A language the page lacks leaves no row.
    std::vector<bool> shownRows(const QString& typed, const QString& language) const;

private:
    struct Language {
        QString text;
        int rows;
    };
    int languageIndex(const QString& language);

    // The folded name, version and film name of every row, one after another, each field ended
    // by a line break: no word holds one, so no word matches across two fields.
    QString texts_;
    std::vector<int> textEnds_;          // where each row's fields end in texts_
    std::vector<int> rowLanguage_;       // index into languages_, -1 for a blank one
    std::vector<Language> languages_;    // in the order they first appear
    QHash<QString, int> languageByKey_;  // folded language to its index

    // Neighbouring rows often share a text; its folded form is then reused.
    std::array<QString, 3> lastTexts_;
    std::array<QString, 3> lastFolded_;
    QString lastLanguageText_;
    int lastLanguage_ = -1;
};

}  // namespace vantrel
