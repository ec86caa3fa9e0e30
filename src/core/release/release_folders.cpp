#include "release/release_folders.h"

#include "release/release_tokens.h"

#include <algorithm>

namespace vantrel {
namespace {

// A title compared loosely: lower case, without accents and punctuation (Rêves, Reves).
QString folded(const QString& title) {
    QString out;
    for (const QChar c : title.normalized(QString::NormalizationForm_D)) {
        if (c.isLetterOrNumber()) {
            out += c.toLower();
        } else if (c.category() != QChar::Mark_NonSpacing && !out.endsWith(u' ')) {
            out += u' ';
        }
    }
    return out.trimmed();
}

// Whether the letters of a short title come in order from the folder's titles, from the first on:
// nz2 in Ne Zha 2, smwhr in Somewhere.
bool abbreviates(const QString& shortTitle, const ReleaseName& folder) {
    const QString letters = folded(shortTitle).remove(u' ');
    if (letters.isEmpty() || letters.size() > 8) {
        return false;
    }
    for (const QString* title : {&folder.keyword, &folder.otherTitle}) {
        const QString full = folded(*title).remove(u' ');
        qsizetype at = 0;
        for (const QChar c : letters) {
            at = full.indexOf(c, at);
            if (at < 0) {
                break;
            }
            ++at;
        }
        if (at > 0 && full.startsWith(letters.front())) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool hasHan(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x3400 && c.unicode() <= 0x9FFF; });
}

bool sameFilm(const ReleaseName& a, const ReleaseName& b) {
    for (const QString* x : {&a.keyword, &a.otherTitle}) {
        for (const QString* y : {&b.keyword, &b.otherTitle}) {
            if (!x->isEmpty() && !y->isEmpty() &&
                (x->compare(*y, Qt::CaseInsensitive) == 0 || folded(*x) == folded(*y))) {
                return true;
            }
        }
    }
    return false;
}

bool folderTitles(const ReleaseName& file, const ReleaseName& folder) {
    if (folder.keyword.isEmpty() || hasHan(file.keyword)) {
        return false;
    }
    const bool releaseFolder =
        !folder.source.isEmpty() || !folder.resolution.isEmpty() || !folder.group.isEmpty();
    const bool same = sameFilm(file, folder);
    const bool abbreviated =
        file.year.isEmpty() && !same && (releaseFolder || abbreviates(file.keyword, folder));
    if (hasHan(folder.keyword)) {
        return same || abbreviated || (!file.year.isEmpty() && file.year == folder.year);
    }
    const QString mine = folded(file.keyword);
    const QString theirs = folded(folder.keyword);
    return abbreviated || (mine.size() > theirs.size() && mine.endsWith(u' ' + theirs));
}

QStringList pathParts(const QString& path, bool& fromRoot) {
    QStringList parts;
    qsizetype end = path.size();
    while (end > 0 && parts.size() <= kMaxFoldersUp + 4) {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), end - 1);
        if (end - slash > 1) {
            parts.append(path.mid(slash + 1, end - slash - 1));
        }
        end = slash;
    }
    fromRoot = end == 0;
    // A slash inside brackets, or between blanks, parts titles rather than folders:
    // Gravity (CamRip / 2013), [龙珠Z/Dragon Ball Z/ドラゴンボールZ], 中文名 / English.
    const auto depth = [](const QString& part) {
        int open = 0;
        for (const QChar c : part) {
            open += bracketStep(c.unicode());
        }
        return open;
    };
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        int open = depth(parts[i]);
        qsizetype j = i + 1;
        while (open < 0 && j < parts.size() && j - i <= 3 && open + depth(parts[j]) <= 0) {
            open += depth(parts[j++]);
        }
        if (open != 0) {
            j = i + 1;
        }
        while (j < parts.size() && parts[j - 1].startsWith(u' ') && parts[j].endsWith(u' ')) {
            ++j;  // 中文名 / English
        }
        for (qsizetype k = i + 1; k < j; ++k) {
            parts[i] = parts[k] + u'/' + parts[i];
        }
        parts.remove(i + 1, j - i - 1);
    }
    return parts;
}

}  // namespace vantrel
