#include "release/release_name.h"

#include "release/release_tags.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

// A file name has at most 255 bytes on Linux, so at most 255 UTF-16 units; past them only the
// parse's time would grow.
constexpr qsizetype kMaxNameLength = 255;
constexpr int kMaxFoldersUp = 4;

enum class Kind { Word, Year, Tag, Weak, Cjk, CjkTag };

struct Token {
    QString text;
    Kind kind = Kind::Word;
    int group = 0;  // changes at every bracket, so that a title never runs across one
    bool bracketed = false;
    ReleaseTag tag;
};

struct Parsed {
    ReleaseName name;
    // The title is a bare number (1.mp4, 00001.m2ts, 1917.mkv) or tag-like words (English.srt).
    bool weak = false;
};

// The code point at i; both halves of a surrogate pair give the pair's.
char32_t codeAt(const QString& s, qsizetype i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
        return QChar::surrogateToUcs4(c, s[i + 1]);
    }
    if (c.isLowSurrogate() && i > 0 && s[i - 1].isHighSurrogate()) {
        return QChar::surrogateToUcs4(s[i - 1], c);
    }
    return c.unicode();
}

bool isKanaOrHangul(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}

// Han (simplified and traditional), kana and hangul: the letters of a CJK title.
bool isCjkLetter(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 ||
           c == 0x3007 || isKanaOrHangul(c);
}

// Full-width punctuation that belongs to a CJK title (蜘蛛侠：纵横宇宙, 你好，李焕英).
constexpr std::u16string_view kCjkPunct = u"：，！？、·—＆…";

bool isIn(std::u16string_view set, char32_t c) {
    return c <= 0xFFFF && set.find(static_cast<char16_t>(c)) != std::u16string_view::npos;
}

int bracketStep(char32_t c) {
    return isIn(u"[({【（《「『〔［｛〈", c) ? 1 : isIn(u"])}】）》」』〕］｝〉", c) ? -1 : 0;
}

bool isAsciiDigit(const QString& s, qsizetype i) {
    return i >= 0 && i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9');
}

// Symbols, controls, unassigned code points and U+FFFD (bytes that were not UTF-8) separate
// words like '.', '_' and blanks do; none can be part of a title worth searching for.
bool isSeparator(const QString& s, qsizetype i) {
    const char32_t c = codeAt(s, i);
    if (c == '.') {
        // 5.1 and DDP5.1 stay whole; 2049.2017 and Part.2.1080p do not.
        return !(isAsciiDigit(s, i - 1) && !isAsciiDigit(s, i - 2) && isAsciiDigit(s, i + 1) &&
                 !isAsciiDigit(s, i + 2));
    }
    if (isIn(u"_@~|;=#^`\"*<>\\\u3000\u3002\uFFFD\u201C\u201D", c)) {
        return true;
    }
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Symbol_Other ||
           (category >= QChar::Other_Control && category <= QChar::Other_NotAssigned);
}

bool isYearLike(const QString& text) {
    return text.size() == 4 && isAsciiDigit(text, 0) && isAsciiDigit(text, 1) &&
           isAsciiDigit(text, 2) && isAsciiDigit(text, 3) &&
           (text.startsWith(QLatin1String("19")) || text.startsWith(QLatin1String("20")));
}

Token latinToken(const QString& text, int group, bool bracketed) {
    Token token{text, Kind::Word, group, bracketed, {}};
    if (isYearLike(text)) {
        token.kind = Kind::Year;
    } else {
        token.tag = latinReleaseTag(text);
        if (token.tag.strength != ReleaseTag::Strength::None) {
            token.kind =
                token.tag.strength == ReleaseTag::Strength::Strong ? Kind::Tag : Kind::Weak;
        }
    }
    return token;
}

// A Latin-script word. Hyphens join words (Spider-Man) and tags (WEB-DL), but when a part is a
// year or a tag they separate (BD-720P, movie-name-2010-720p), and the name after the last one
// that follows a tag is the release group (x264-SPARKS).
void addLatin(QString text, int group, bool bracketed, std::vector<Token>& out) {
    static const QRegularExpression edges(QStringLiteral("^[-–]+|[-–]+$"));
    text.remove(edges);
    if (!std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); })) {
        if (text == QLatin1String("&")) {
            out.push_back({text, Kind::Word, group, bracketed, {}});
        }
        return;
    }
    const Token whole = latinToken(text, group, bracketed);
    const QStringList parts = text.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    const bool splits = whole.kind == Kind::Word && parts.size() > 1 &&
                        std::any_of(parts.cbegin(), parts.cend(), [&](const QString& part) {
                            const Kind kind = latinToken(part, group, bracketed).kind;
                            return kind == Kind::Year || kind == Kind::Tag;
                        });
    if (!splits) {
        out.push_back(whole);
        return;
    }
    for (qsizetype i = 0; i < parts.size();) {
        qsizetype end = i + 1;
        Token best = latinToken(parts[i], group, bracketed);
        for (qsizetype j = std::min(parts.size(), i + 3); j > i + 1; --j) {
            Token joined = latinToken(parts.mid(i, j - i).join(QLatin1Char('-')), group, bracketed);
            if (joined.kind == Kind::Tag) {
                best = joined;
                end = j;
                break;
            }
        }
        const bool afterTag =
            i > 0 && (out.back().kind == Kind::Tag || out.back().kind == Kind::Weak);
        if (end == parts.size() && afterTag && best.kind == Kind::Word) {
            return;  // the release group
        }
        out.push_back(best);
        i = end;
    }
}

void addCjk(QString text, int group, bool bracketed, std::vector<Token>& out) {
    static const QRegularExpression edges(
        QStringLiteral("^[%1]+|[%1]+$").arg(QStringView(kCjkPunct.data(), kCjkPunct.size())));
    if (text.remove(edges).isEmpty()) {
        return;
    }
    switch (cjkRole(text)) {
        case CjkRole::Tag:
            out.push_back({text, Kind::CjkTag, group, bracketed, {}});
            break;
        case CjkRole::Junk:
            break;
        case CjkRole::Title:
            if (const qsizetype tag = cjkTagSuffix(text); tag > 0) {
                out.push_back({text.left(tag), Kind::Cjk, group, bracketed, {}});
                out.push_back({text.mid(tag), Kind::CjkTag, group, bracketed, {}});
            } else {
                out.push_back({text, Kind::Cjk, group, bracketed, {}});
            }
    }
}

// A piece between separators, split where CJK meets other script. Short numbers glued to a CJK
// title belong to it (流浪地球2, 失恋33天, 7号房的礼物) and so does a short Latin prefix (X战警),
// but a year (英雄2002) or a tag (BD英雄) does not.
void addPiece(const QString& piece, int group, bool bracketed, std::vector<Token>& out) {
    struct Run {
        qsizetype start;
        qsizetype length;
        bool cjk;
    };
    std::vector<Run> runs;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char32_t c = codeAt(piece, i);
        const bool between = i > 0 && i + 1 < piece.size() && isCjkLetter(codeAt(piece, i - 1)) &&
                             isCjkLetter(codeAt(piece, i + 1)) &&
                             QStringLiteral(":,!?&'-").contains(piece[i]);
        const bool cjk = isCjkLetter(c) || isIn(kCjkPunct, c) || between;
        if (runs.empty() || runs.back().cjk != cjk) {
            runs.push_back({i, 0, cjk});
        }
        ++runs.back().length;
    }
    std::vector<Run> merged;
    for (size_t j = 0; j < runs.size(); ++j) {
        const Run& run = runs[j];
        const QString text = piece.mid(run.start, run.length);
        const bool nextCjk = j + 1 < runs.size();  // runs alternate
        const bool afterCjk = !run.cjk && !merged.empty() && merged.back().cjk;
        const qsizetype lead =
            std::find_if(text.cbegin(), text.cend(),
                         [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); }) -
            text.cbegin();
        if (afterCjk && lead == run.length && lead <= 3) {
            merged.back().length += run.length + (nextCjk ? runs[++j].length : 0);
        } else if (afterCjk && lead > 0 && lead <= 3 &&
                   latinReleaseTag(text.mid(lead)).strength != ReleaseTag::Strength::None) {
            merged.back().length += lead;  // 战狼2HD1080P
            merged.push_back({run.start + lead, run.length - lead, false});
        } else if (!run.cjk && j == 0 && nextCjk && run.length <= 3 &&
                   latinReleaseTag(text).strength == ReleaseTag::Strength::None &&
                   std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                       return c.unicode() < 0x80 && c.isLetterOrNumber();
                   })) {
            merged.push_back({run.start, run.length + runs[++j].length, true});
        } else {
            merged.push_back(run);
        }
    }
    for (const Run& run : merged) {
        const QString text = piece.mid(run.start, run.length);
        run.cjk ? addCjk(text, group, bracketed, out) : addLatin(text, group, bracketed, out);
    }
}

std::vector<Token> tokenize(const QString& name) {
    std::vector<Token> tokens;
    int group = 0;
    int depth = 0;
    qsizetype start = -1;
    const auto flush = [&](qsizetype end) {
        if (start >= 0) {
            addPiece(name.mid(start, end - start), group, depth > 0, tokens);
        }
        start = -1;
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        // Letters and digits, the bulk of a name, are neither brackets nor separators.
        const char32_t c = codeAt(name, i);
        const bool plain = (c < 0x80 && QChar::isLetterOrNumber(c)) || isCjkLetter(c);
        if (const int step = plain ? 0 : bracketStep(c)) {
            flush(i);
            depth = std::max(0, depth + step);
            ++group;
        } else if (!plain && isSeparator(name, i)) {
            flush(i);
        } else if (start < 0) {
            start = i;
        }
    }
    flush(name.size());
    // Tags written as two words: H.264, Dolby.Vision, Directors.Cut.
    const auto is = [](const Token& token, QStringView word) {
        return token.text.compare(word, Qt::CaseInsensitive) == 0;
    };
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& a = tokens[i];
        const Token& b = tokens[i + 1];
        if ((is(a, u"h") && (is(b, u"264") || is(b, u"265"))) ||
            (is(a, u"dolby") && is(b, u"vision")) ||
            ((is(a, u"directors") || is(a, u"director's")) && is(b, u"cut"))) {
            tokens[i].kind = tokens[i + 1].kind = Kind::Tag;
        }
    }
    return tokens;
}

// Site names and addresses: [电影天堂www.dytt89.com], 【高清影视之家发布 www.HDBTHD.com】,
// 阳光电影www.ygdy8.com., www.example.com@, [YTS.MX].
QString withoutSites(QString name) {
    static const QRegularExpression bracket(
        QStringLiteral("[\\[【(（{]([^\\[\\]【】()（）{}]*)[\\]】)）}]"));
    static const QRegularExpression address(
        QStringLiteral(
            "(?:^|[^a-z0-9])www\\.|\\.(?:com|net|org|cn|cc|co|tv|la|me|xyz|top|vip|info|mx|to)"
            "(?![a-z0-9])"),
        QRegularExpression::CaseInsensitiveOption);
    // Bare addresses: with "www." and glued to the site's name (阳光电影www.ygdy8.com), or first in
    // the name when they hold a digit (dy2018.com.) or are glued to what follows (piaohua.com英雄);
    // The.Net.1995 is a film.
    static const QRegularExpression www(
        QStringLiteral(
            "[\\p{Han}A-Za-z0-9]*www\\.(?:[A-Za-z0-9-]+\\.)+?"
            "(?:com|net|org|cn|cc|co|tv|la|me|xyz|top|vip|info)(?:\\.cn)?(?![A-Za-z0-9])"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression leading(
        QStringLiteral("^\\p{Han}*(?:[A-Za-z-]*\\d[A-Za-z0-9-]*\\.(?:%1)(?![A-Za-z0-9])|"
                       "[A-Za-z0-9-]+\\.(?:%1)(?=[@\\]】]|[^\\x00-\\x7F]))")
            .arg(QLatin1String("com|net|org|cn|cc|co")),
        QRegularExpression::CaseInsensitiveOption);
    if (!name.contains(QLatin1Char('.'))) {
        return name;
    }
    for (auto it = bracket.globalMatch(name); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (address.match(m.capturedView(1)).hasMatch()) {
            // Blanks keep the length, so that the later matches' offsets stay right.
            name.replace(m.capturedStart(), m.capturedLength(), QString(m.capturedLength(), u' '));
        }
    }
    // The glued site name makes the first pattern slow on long names, so it runs only when needed.
    if (name.contains(QLatin1String("www"), Qt::CaseInsensitive)) {
        name.replace(www, QStringLiteral(" "));
    }
    return name.replace(leading, QStringLiteral(" "));
}

Parsed parseName(const QString& text) {
    const QString name = withoutSites(text.left(kMaxNameLength));
    std::vector<Token> tokens = tokenize(name);
    const int n = static_cast<int>(tokens.size());
    const auto first = [&](Kind kind) {
        int i = 0;
        while (i < n && tokens[i].kind != kind) {
            ++i;
        }
        return i;
    };
    // The year is the last year-like number before the tags (2012.2009, Blade.Runner.2049.2017),
    // else the first after them; the others are words of the title.
    const int firstStrong = first(Kind::Tag);
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
    // A weak tag is a title word unless it stands after the year or the first tag, or before a
    // tag: Step.Up.3D.2010 but Movie.2010.3D, Movie.EXTENDED.1080p.
    for (int i = n - 1; i >= 0; --i) {
        if (tokens[i].kind == Kind::Weak) {
            const bool beforeTag = i + 1 < n && (tokens[i + 1].kind == Kind::Tag ||
                                                 tokens[i + 1].kind == Kind::CjkTag);
            const bool tag = (year >= 0 && i > year) || i > firstStrong || beforeTag;
            tokens[i].kind = tag ? Kind::Tag : Kind::Word;
        }
    }
    Parsed parsed;
    ReleaseName& result = parsed.name;
    // A Japanese or Korean title (千と千尋の神隠し, 기생충) is no Chinese one; it is the keyword
    // only when the name has no other title.
    QString cjk;
    QString foreign;
    for (const Token& token : tokens) {
        if (token.kind == Kind::Cjk) {
            const bool chinese = std::none_of(token.text.cbegin(), token.text.cend(),
                                              [](QChar c) { return isKanaOrHangul(c.unicode()); });
            QString& title = chinese ? cjk : foreign;
            title = title.isEmpty() ? token.text : title;
        }
        if (token.kind == Kind::Tag && result.source.isEmpty()) {
            result.source = token.tag.source;
        }
        if (token.kind == Kind::Tag && result.resolution.isEmpty()) {
            result.resolution = token.tag.resolution;
        }
    }
    // Latin titles: runs of words before the first tag, within one bracket. A leading bracket is
    // a group's or a site's name when a title stands elsewhere ([CMCT]英雄).
    // "AKA" starts an alternative title.
    const int firstTag = first(Kind::Tag);
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
        (runs.size() > 1 || !cjk.isEmpty())) {
        pick = 1;
    }
    QString latin;
    bool weakWords = true;
    if (pick < runs.size()) {
        QStringList words;
        for (int i = runs[pick].first; i < runs[pick].second; ++i) {
            words.append(tokens[i].text);
            weakWords = weakWords && tokens[i].tag.strength == ReleaseTag::Strength::Weak;
        }
        latin = words.join(QLatin1Char(' '));
    }
    if (latin.isEmpty() && cjk.isEmpty()) {
        latin = foreign;
    }
    // A lone year-like number is the title when nothing else is (1917.1080p.BluRay), unless the
    // title was in bytes that were not UTF-8.
    if (latin.isEmpty() && cjk.isEmpty() && year >= 0 &&
        !name.contains(QChar::ReplacementCharacter)) {
        latin = tokens[year].text;
        year = -1;
    }
    static const QRegularExpression generic(
        QStringLiteral("^(?:movies?|videos?|films?|downloads?|sample|trailer|bdmv|stream|video ts|"
                       "vts(?: \\d+)*|(?:cd|dis[ck]|part|pt) ?\\d+|title ?\\d*|tv|media|mnt|home|"
                       "data|desktop|shared?|public|completed?|incoming|torrents?|new folder|te?mp|"
                       "playlist|clipinf|backup|certificate|subs?|subtitles?|新建文件夹|桌面|"
                       "我的视频|我的电影)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (generic.match(latin).hasMatch()) {
        latin.clear();
    }
    if (generic.match(cjk).hasMatch()) {
        cjk.clear();
    }
    result.year = year >= 0 ? tokens[year].text : QString();
    result.keyword = cjk.isEmpty() ? latin : cjk;
    result.otherTitle = cjk.isEmpty() ? QString() : latin;
    parsed.weak = cjk.isEmpty() && result.year.isEmpty() && result.source.isEmpty() &&
                  result.resolution.isEmpty() && !latin.isEmpty() &&
                  (weakWords ||
                   std::all_of(latin.cbegin(), latin.cend(), [](QChar c) { return c.isDigit(); }));
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

}  // namespace

ReleaseName parseReleaseName(const QString& path) {
    // The file and the folders above it, nearest first; a film's name is never far up.
    QStringList parts;
    qsizetype end = path.size();
    while (end > 0 && parts.size() <= kMaxFoldersUp + 4) {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), end - 1);
        if (end - slash > 1) {
            parts.append(path.mid(slash + 1, end - slash - 1));
        }
        end = slash;
    }
    if (parts.isEmpty()) {
        return {};
    }
    const Parsed file = parseName(stripExtension(parts.front()));
    ReleaseName result = file.name;
    const bool needTitle = result.keyword.isEmpty() || file.weak;
    // A bare number titles the film only when no folder does: 1917.mkv but not 00001.m2ts or 1.mp4.
    QString fallback = file.weak ? result.keyword : QString();
    if (needTitle) {
        result.keyword.clear();
        result.otherTitle.clear();
    }
    static const QRegularExpression usersFolder(QStringLiteral("^(?:home|users|media)$"),
                                                QRegularExpression::CaseInsensitiveOption);
    int looked = 0;
    for (qsizetype i = 1; i < parts.size() && looked < kMaxFoldersUp; ++i) {
        // Nothing at the root or directly in a home folder names a film: /mnt, /home/<user>.
        const bool atRoot = i + 1 == parts.size() && end == 0;
        if (atRoot || (i + 1 < parts.size() && usersFolder.match(parts[i + 1]).hasMatch())) {
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
    return result;
}

}  // namespace vantrel
