#include "release/release_name.h"

#include "release/release_sites.h"
#include "release/release_tags.h"
#include "release/release_tokens.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

// A file name has at most 255 bytes on Linux, so at most 255 UTF-16 units; past them only the
// parse's time would grow.
constexpr qsizetype kMaxNameLength = 255;
constexpr int kMaxFoldersUp = 4;

using Kind = TokenKind;
using Tokens = std::vector<ReleaseToken>;

struct Parsed {
    ReleaseName name;
    // The title is a bare number (1.mp4, 00001.m2ts, 1917.mkv) or tag-like words (English.srt).
    bool weak = false;
};

int firstOf(const Tokens& tokens, Kind kind) {
    const auto found = std::find_if(tokens.cbegin(), tokens.cend(),
                                    [kind](const ReleaseToken& t) { return t.kind == kind; });
    return static_cast<int>(found - tokens.cbegin());
}

// The year is the last year-like number before the tags (2012.2009, Blade.Runner.2049.2017),
// else the first after them; the others are words of the title. Returns its index, or -1.
int settleYear(Tokens& tokens) {
    const int n = static_cast<int>(tokens.size());
    const int firstStrong = firstOf(tokens, Kind::Tag);
    int year = -1;
    for (int i = 0; i < n; ++i) {
        if (tokens[i].kind == Kind::Year && (i < firstStrong || year < 0)) {
            year = i;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (tokens[i].kind == Kind::Year && i != year) {
            tokens[i].kind = Kind::Word;
        }
    }
    return year;
}

// A weak tag is a title word unless it stands after the year or the first tag, or before a
// tag: Step.Up.3D.2010 but Movie.2010.3D, Movie.EXTENDED.1080p.
void settleWeakTags(Tokens& tokens, int year) {
    const int n = static_cast<int>(tokens.size());
    const int firstStrong = firstOf(tokens, Kind::Tag);
    for (int i = n - 1; i >= 0; --i) {
        if (tokens[i].kind == Kind::Weak) {
            const bool beforeTag = i + 1 < n && (tokens[i + 1].kind == Kind::Tag ||
                                                 tokens[i + 1].kind == Kind::CjkTag);
            const bool tag = (year >= 0 && i > year) || i > firstStrong || beforeTag;
            tokens[i].kind = tag ? Kind::Tag : Kind::Word;
        }
    }
}

// The first source and resolution the tags give.
void readRelease(const Tokens& tokens, ReleaseName& result) {
    for (const ReleaseToken& token : tokens) {
        if (token.kind == Kind::Tag && result.source.isEmpty()) {
            result.source = token.tag.source;
        }
        if (token.kind == Kind::Tag && result.resolution.isEmpty()) {
            result.resolution = token.tag.resolution;
        }
    }
}

struct CjkTitles {
    QString chinese;
    QString foreign;  // Japanese or Korean (千と千尋の神隠し, 기생충)
};

CjkTitles cjkTitles(const Tokens& tokens) {
    CjkTitles titles;
    for (const ReleaseToken& token : tokens) {
        if (token.kind == Kind::Cjk) {
            const bool chinese = std::none_of(token.text.cbegin(), token.text.cend(),
                                              [](QChar c) { return isKanaOrHangul(c.unicode()); });
            QString& title = chinese ? titles.chinese : titles.foreign;
            title = title.isEmpty() ? token.text : title;
        }
    }
    return titles;
}

struct LatinTitle {
    QString text;
    bool weakWords = true;  // every word is also a weak tag (English.srt)
};

// Runs of words before the first tag, within one bracket. A leading bracket is a group's or a
// site's name when a title stands elsewhere ([CMCT]英雄). "AKA" starts an alternative title.
LatinTitle latinTitle(const Tokens& tokens, bool hasChinese) {
    const int firstTag = firstOf(tokens, Kind::Tag);
    const auto word = [&](int i) {
        return tokens[i].kind == Kind::Word &&
               tokens[i].text.compare(u"aka", Qt::CaseInsensitive) != 0;
    };
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < firstTag; ++i) {
        if (!word(i)) {
            continue;
        }
        int end = i + 1;
        while (end < firstTag && word(end) && tokens[end].group == tokens[i].group) {
            ++end;
        }
        runs.emplace_back(i, end);
        i = end - 1;
    }
    size_t pick = 0;
    if (!runs.empty() && runs[0].first == 0 && tokens[0].bracketed &&
        (runs.size() > 1 || hasChinese)) {
        pick = 1;
    }
    LatinTitle title;
    if (pick < runs.size()) {
        QStringList words;
        for (int i = runs[pick].first; i < runs[pick].second; ++i) {
            words.append(tokens[i].text);
            title.weakWords =
                title.weakWords && tokens[i].tag.strength == ReleaseTag::Strength::Weak;
        }
        title.text = words.join(QLatin1Char(' '));
    }
    return title;
}

// Folder and disc names that name no film: Movies, BDMV, CD1, 新建文件夹.
bool isGenericWord(const QString& text) {
    static const QRegularExpression generic(
        QStringLiteral("^(?:movies?|videos?|films?|downloads?|sample|trailer|bdmv|stream|video ts|"
                       "vts(?: \\d+)*|(?:cd|dis[ck]|part|pt) ?\\d+|title ?\\d*|tv|media|mnt|home|"
                       "data|desktop|shared?|public|completed?|incoming|torrents?|new folder|te?mp|"
                       "playlist|clipinf|backup|certificate|subs?|subtitles?|新建文件夹|桌面|"
                       "我的视频|我的电影)$"),
        QRegularExpression::CaseInsensitiveOption);
    return generic.match(text).hasMatch();
}

Parsed parseName(const QString& text) {
    const QString name = withoutSites(text.left(kMaxNameLength));
    Tokens tokens = tokenizeReleaseName(name);
    int year = settleYear(tokens);
    settleWeakTags(tokens, year);
    Parsed parsed;
    ReleaseName& result = parsed.name;
    readRelease(tokens, result);
    CjkTitles cjk = cjkTitles(tokens);
    LatinTitle latin = latinTitle(tokens, !cjk.chinese.isEmpty());
    // A Japanese or Korean title is the keyword only when the name has no other title.
    if (latin.text.isEmpty() && cjk.chinese.isEmpty()) {
        latin.text = cjk.foreign;
    }
    // A lone year-like number is the title when nothing else is (1917.1080p.BluRay), unless the
    // title was in bytes that were not UTF-8.
    if (latin.text.isEmpty() && cjk.chinese.isEmpty() && year >= 0 &&
        !name.contains(QChar::ReplacementCharacter)) {
        latin.text = tokens[year].text;
        year = -1;
    }
    for (QString* title : {&latin.text, &cjk.chinese}) {
        if (isGenericWord(*title)) {
            title->clear();
        }
    }
    result.year = year >= 0 ? tokens[year].text : QString();
    result.keyword = cjk.chinese.isEmpty() ? latin.text : cjk.chinese;
    result.otherTitle = cjk.chinese.isEmpty() ? QString() : latin.text;
    const bool bareNumber =
        std::all_of(latin.text.cbegin(), latin.text.cend(), [](QChar c) { return c.isDigit(); });
    parsed.weak = cjk.chinese.isEmpty() && result.year.isEmpty() && result.source.isEmpty() &&
                  result.resolution.isEmpty() && !latin.text.isEmpty() &&
                  (latin.weakWords || bareNumber);
    return parsed;
}

QString stripExtension(const QString& file) {
    static const QRegularExpression extension(
        QStringLiteral("\\.(?:mkv|mp4|avi|rmvb|rm|wmv|mov|ts|m2ts|mts|flv|webm|iso|vob|mpe?g|m4v|"
                       "3gp|ogm|divx|f4v|srt|ass|ssa|sub|idx|sup|vtt|smi)$"),
        QRegularExpression::CaseInsensitiveOption);
    const qsizetype at =
        extension.match(file, std::max<qsizetype>(0, file.size() - 6)).capturedStart();
    return at >= 0 ? file.left(at) : file;
}

bool sameFilm(const ReleaseName& a, const ReleaseName& b) {
    for (const QString* x : {&a.keyword, &a.otherTitle}) {
        for (const QString* y : {&b.keyword, &b.otherTitle}) {
            if (!x->isEmpty() && x->compare(*y, Qt::CaseInsensitive) == 0) {
                return true;
            }
        }
    }
    return false;
}

// The file and the folders above it, nearest first; a film's name is never far up. `fromRoot`
// tells whether the last one stands at the root (/mnt) rather than in a relative path.
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
    return parts;
}

// Nothing at the root or directly in a home folder names a film: /mnt, /home/<user>.
bool isAboveFilms(const QStringList& parts, qsizetype i, bool fromRoot) {
    static const QRegularExpression usersFolder(QStringLiteral("^(?:home|users|media)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const bool atRoot = i + 1 == parts.size() && fromRoot;
    return atRoot || (i + 1 < parts.size() && usersFolder.match(parts[i + 1]).hasMatch());
}

// The folders fill what the file's name lacks: the year, source and resolution always, the
// title when the file gives none or only a weak one. A folder of another film stops the search.
void fillFromFolders(const QStringList& parts, bool fromRoot, const Parsed& file,
                     ReleaseName& result) {
    const bool needTitle = result.keyword.isEmpty() || file.weak;
    // A bare number titles the film only when no folder does: 1917.mkv but not 00001.m2ts or 1.mp4.
    QString fallback = file.weak ? result.keyword : QString();
    if (needTitle) {
        result.keyword.clear();
        result.otherTitle.clear();
    }
    int looked = 0;
    for (qsizetype i = 1; i < parts.size() && looked < kMaxFoldersUp; ++i) {
        if (isAboveFilms(parts, i, fromRoot)) {
            break;
        }
        const Parsed folder = parseName(parts[i]);
        const ReleaseName& f = folder.name;
        if (f.keyword.isEmpty() && f.year.isEmpty() && f.source.isEmpty() &&
            f.resolution.isEmpty()) {
            continue;  // Videos, BDMV, 电影
        }
        ++looked;
        if (!needTitle && !sameFilm(result, f)) {
            break;
        }
        using Field = std::pair<QString*, const QString*>;
        for (auto [mine, theirs] : {Field{&result.year, &f.year}, Field{&result.source, &f.source},
                                    Field{&result.resolution, &f.resolution}}) {
            if (mine->isEmpty()) {
                *mine = *theirs;
            }
        }
        if (!needTitle) {
            break;
        }
        if (folder.weak) {
            fallback = fallback.isEmpty() ? f.keyword : fallback;
        } else if (!f.keyword.isEmpty()) {
            result.keyword = f.keyword;
            result.otherTitle = f.otherTitle;
            break;
        }
    }
    if (result.keyword.isEmpty() && fallback.size() >= 2 &&
        !fallback.startsWith(QLatin1Char('0'))) {
        result.keyword = fallback;
    }
}

}  // namespace

ReleaseName parseReleaseName(const QString& path) {
    bool fromRoot = false;
    const QStringList parts = pathParts(path, fromRoot);
    if (parts.isEmpty()) {
        return {};
    }
    const Parsed file = parseName(stripExtension(parts.front()));
    ReleaseName result = file.name;
    fillFromFolders(parts, fromRoot, file, result);
    return result;
}

}  // namespace vantrel
