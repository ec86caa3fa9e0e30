#include "release/release_name.h"

#include "release/release_episode.h"
#include "release/release_folders.h"
#include "release/release_sites.h"
#include "release/release_tags.h"
#include "release/release_titles.h"
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

// The first tag after the title starts: tags before any word ([h265 - HEVC] Title 1080p) open
// the name rather than end the title.
int firstTagAfterTitle(const Tokens& tokens) {
    const int n = static_cast<int>(tokens.size());
    int i = 0;
    while (i < n && (tokens[i].kind == Kind::Tag || tokens[i].kind == Kind::CjkTag)) {
        ++i;
    }
    while (i < n && tokens[i].kind != Kind::Tag) {
        ++i;
    }
    return i;
}

// The year is the last year-like number before the tags (2012.2009, Blade.Runner.2049.2017),
// else the first after them; the others are words of the title. Returns its index, or -1.
int settleYear(Tokens& tokens) {
    const int n = static_cast<int>(tokens.size());
    const int firstStrong = firstTagAfterTitle(tokens);
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
    const int firstStrong = firstTagAfterTitle(tokens);
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
        if (token.kind == Kind::Group) {
            result.group = token.text;
        }
    }
}

struct CjkTitles {
    QString chinese;
    QString foreign;  // Japanese or Korean (千と千尋の神隠し, 기생충)
};

// A number right after a CJK title that is not the year belongs to it (新精武门1991 (1991),
// 哆啦A梦：大雄的宇宙小战争 2021 (2022)), unless a Latin title starts with it (1942.一九四二 is
// before it). Marks the number as used.
QString withTrailingNumber(Tokens& tokens, size_t i) {
    const size_t next = i + 1;
    const bool number = next < tokens.size() && tokens[next].kind == Kind::Word &&
                        std::all_of(tokens[next].text.cbegin(), tokens[next].text.cend(),
                                    [](QChar c) { return c.isDigit(); });
    if (!number || (next + 1 < tokens.size() && tokens[next + 1].kind == Kind::Word)) {
        return tokens[i].text;
    }
    tokens[next].kind = Kind::CjkTag;
    return tokens[i].text + (tokens[next].glued ? QString() : QStringLiteral(" ")) +
           tokens[next].text;
}

CjkTitles cjkTitles(Tokens& tokens) {
    CjkTitles titles;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const ReleaseToken& token = tokens[i];
        if (token.kind == Kind::Cjk) {
            const bool chinese = std::none_of(token.text.cbegin(), token.text.cend(),
                                              [](QChar c) { return isKanaOrHangul(c.unicode()); });
            QString& title = chinese ? titles.chinese : titles.foreign;
            title = title.isEmpty() ? withTrailingNumber(tokens, i) : title;
        }
    }
    return titles;
}

struct LatinTitle {
    QString text;
    bool weakWords = true;  // every word is also a weak tag (English.srt)
    QString group;          // a group glued before it (fgt-the.lobster)
};

// The first run of words before the first tag after the title, within one bracket, without the
// qualifying words at its end. "AKA" starts an alternative title.
LatinTitle latinTitle(const Tokens& tokens, bool lowerName) {
    const int firstTag = firstTagAfterTitle(tokens);
    const auto word = [&](int i) {
        return tokens[i].kind == Kind::Word &&
               tokens[i].text.compare(u"aka", Qt::CaseInsensitive) != 0;
    };
    int begin = 0;
    while (begin < firstTag && !word(begin)) {
        ++begin;
    }
    int end = begin;
    while (end < firstTag && word(end) && tokens[end].group == tokens[begin].group) {
        ++end;
    }
    LatinTitle title;
    QStringList words;
    end = withoutQualifiers(tokens, begin, end);
    for (int i = begin; i < end; ++i) {
        words.append(tokens[i].text);
        title.weakWords = title.weakWords && tokens[i].tag.strength == ReleaseTag::Strength::Weak;
    }
    title.group = gluedGroup(words, lowerName);
    if (!title.group.isEmpty()) {
        words.front().remove(0, title.group.size() + 1);
    }
    title.text = words.join(QLatin1Char(' '));
    return title;
}

// All in lower case and with no group at its end: a scene name as a group's files name it.
bool isLowerSceneName(const QString& name, const Tokens& tokens) {
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.isUpper(); }) &&
           firstOf(tokens, Kind::Group) == static_cast<int>(tokens.size());
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
    const QString name = withEpisodeMarks(withoutSites(text.left(kMaxNameLength)));
    Tokens tokens = tokenizeReleaseName(name);
    const bool lowerName = isLowerSceneName(name, tokens);
    int year = settleYear(tokens);
    settleWeakTags(tokens, year);
    Parsed parsed;
    ReleaseName& result = parsed.name;
    readRelease(tokens, result);
    readEpisode(tokens, result);
    const QString leadingGroup = markLeadingGroup(tokens);
    CjkTitles cjk = cjkTitles(tokens);
    LatinTitle latin = latinTitle(tokens, lowerName);
    if (result.group.isEmpty()) {
        result.group = latin.group.isEmpty() ? leadingGroup : latin.group;
    }
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

// Nothing at the root or directly in a home folder names a film: /mnt, /home/<user>.
bool isAboveFilms(const QStringList& parts, qsizetype i, bool fromRoot) {
    static const QRegularExpression usersFolder(QStringLiteral("^(?:home|users|media)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const bool atRoot = i + 1 == parts.size() && fromRoot;
    return atRoot || (i + 1 < parts.size() && usersFolder.match(parts[i + 1]).hasMatch());
}

// The folder's titles in place of the file's; a Latin title the folder lacks stays beside its
// Chinese one (霸王别姬 (1993)/Farewell.My.Concubine.1993.mkv).
void takeFolderTitle(const ReleaseName& folder, ReleaseName& result) {
    const bool keepLatin =
        folder.otherTitle.isEmpty() && hasHan(folder.keyword) && !hasHan(result.keyword);
    result.otherTitle = keepLatin ? result.keyword : folder.otherTitle;
    result.keyword = folder.keyword;
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
        if (!needTitle && looked == 1 && folderTitles(result, f)) {
            takeFolderTitle(f, result);
        } else if (!needTitle && !sameFilm(result, f)) {
            break;
        }
        using Field = std::pair<QString*, const QString*>;
        for (auto [mine, theirs] :
             {Field{&result.year, &f.year}, Field{&result.source, &f.source},
              Field{&result.resolution, &f.resolution}, Field{&result.group, &f.group}}) {
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

ReleaseName parseReleaseText(const QString& name) {
    return parseName(stripExtension(name)).name;
}

}  // namespace vantrel
