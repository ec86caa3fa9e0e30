#include "release/release_tokens.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <string_view>

namespace vantrel {

bool isKanaOrHangul(char32_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0xAC00 && c <= 0xD7AF) ||
           (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}

namespace {

using Kind = TokenKind;
using Token = ReleaseToken;

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

// The text without the given characters at either end.
QString& trimEdges(QString& text, std::u16string_view edges) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isIn(edges, text[begin].unicode())) {
        ++begin;
    }
    while (end > begin && isIn(edges, text[end - 1].unicode())) {
        --end;
    }
    if (begin > 0 || end < text.size()) {
        text = text.mid(begin, end - begin);
    }
    return text;
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
    trimEdges(text, u"-–");
    if (!std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); })) {
        if (text == QLatin1String("&")) {
            out.push_back({text, Kind::Word, group, bracketed, {}});
        }
        return;
    }
    const Token whole = latinToken(text, group, bracketed);
    if (whole.kind != Kind::Word || !text.contains(u'-')) {
        out.push_back(whole);
        return;
    }
    const QStringList parts = text.split(QLatin1Char('-'), Qt::SkipEmptyParts);
    const bool splits =
        parts.size() > 1 && std::any_of(parts.cbegin(), parts.cend(), [&](const QString& part) {
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
            best.kind = Kind::Group;
            out.push_back(best);
            return;
        }
        out.push_back(best);
        i = end;
    }
}

void addCjk(QString text, int group, bool bracketed, std::vector<Token>& out) {
    static const std::u16string_view edges = u"-：，！？、·—＆…";
    if (trimEdges(text, edges).isEmpty()) {
        return;
    }
    switch (cjkRole(text)) {
        case CjkRole::Tag:
            out.push_back({text, Kind::CjkTag, group, bracketed, {}});
            break;
        case CjkRole::Junk:
            break;
        case CjkRole::Title:
            if (qsizetype length = 0, at = cjkEpisodeMark(text, length); at >= 0) {
                if (at > 0) {
                    addCjk(text.left(at), group, bracketed, out);  // 庆余年第二季
                }
                out.push_back({text.mid(at, length), Kind::CjkTag, group, bracketed, {}});
                if (at + length < text.size()) {
                    addCjk(text.mid(at + length), group, bracketed, out);  // 第783集绯色的真相
                }
            } else if (const qsizetype tag = cjkTagSuffix(text); tag > 0) {
                out.push_back({text.left(tag), Kind::Cjk, group, bracketed, {}});
                out.push_back({text.mid(tag), Kind::CjkTag, group, bracketed, {}});
            } else {
                out.push_back({text, Kind::Cjk, group, bracketed, {}});
            }
    }
}

// A piece between separators, split where CJK meets other script. Short numbers glued to a CJK
// title belong to it (流浪地球2, 失恋33天, 7号房的礼物, 2012世界末日) and so do a short Latin
// prefix (X战警) and one or two Latin letters after or inside it (龙珠Z, 哆啦A梦), but a year after
// it (英雄2002) or a tag (BD英雄) does not.
void addPiece(const QString& piece, int group, bool bracketed, std::vector<Token>& out) {
    struct Run {
        qsizetype start;
        qsizetype length;
        bool cjk;
    };
    QVarLengthArray<Run, 16> runs;
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
    QVarLengthArray<Run, 16> merged;
    for (qsizetype j = 0; j < runs.size(); ++j) {
        const Run& run = runs[j];
        const QString text = piece.mid(run.start, run.length);
        const bool nextCjk = j + 1 < runs.size();  // runs alternate
        const bool afterCjk = !run.cjk && !merged.empty() && merged.back().cjk;
        const qsizetype lead =
            std::find_if(text.cbegin(), text.cend(),
                         [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); }) -
            text.cbegin();
        const bool shortLetters =
            run.length <= 2 && std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
            });
        const bool counted = run.start > 0 && piece[run.start - 1] == u'第';  // 第1101集
        if (afterCjk &&
            ((lead == run.length && (lead <= 3 || counted)) ||
             (shortLetters && latinReleaseTag(text).strength == ReleaseTag::Strength::None))) {
            merged.back().length += run.length + (nextCjk ? runs[++j].length : 0);
        } else if (afterCjk && lead > 0 && lead <= 3 &&
                   latinReleaseTag(text.mid(lead)).strength != ReleaseTag::Strength::None) {
            merged.back().length += lead;  // 战狼2HD1080P
            merged.push_back({run.start + lead, run.length - lead, false});
        } else if (!run.cjk && j == 0 && nextCjk && (run.length <= 3 || lead == 4) &&
                   latinReleaseTag(text).strength == ReleaseTag::Strength::None &&
                   std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                       return c.unicode() < 0x80 && c.isLetterOrNumber();
                   })) {
            merged.push_back({run.start, run.length + runs[++j].length, true});
        } else {
            merged.push_back(run);
        }
    }
    const size_t first = out.size();
    for (const Run& run : merged) {
        const QString text = piece.mid(run.start, run.length);
        run.cjk ? addCjk(text, group, bracketed, out) : addLatin(text, group, bracketed, out);
    }
    for (size_t i = first + 1; i < out.size(); ++i) {
        out[i].glued = true;
    }
}

bool isEpisodeNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^(?!(?:2160|1080|720|576|480)$)\\d{1,4}(?:v\\d)?(?:-\\d{1,4})?$"));
    return number.match(text).hasMatch();
}

// Bare numbers that count episodes rather than name a film: alone in a bracket after a title
// ([Title][05], [TV 04], [01-26]), or right after a title in a name that opens with a bracket
// ([Group] 标题 04 GB 720P) or after a CJK title when zero-padded (标题 04).
void markEpisodeNumbers(std::vector<Token>& tokens) {
    const auto isTitle = [](const Token& t) { return t.kind == Kind::Word || t.kind == Kind::Cjk; };
    const bool fansubForm = !tokens.empty() && tokens.front().bracketed;
    bool titleSeen = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        Token& t = tokens[i];
        if (t.kind == Kind::Word && titleSeen && t.text.front().isDigit() &&
            isEpisodeNumber(t.text)) {
            const bool prevSameGroup = i > 0 && tokens[i - 1].group == t.group;
            const bool nextSameGroup = i + 1 < tokens.size() && tokens[i + 1].group == t.group;
            const bool tvBefore =
                prevSameGroup && (tokens[i - 1].text.compare(u"tv", Qt::CaseInsensitive) == 0 ||
                                  tokens[i - 1].text.compare(u"ep", Qt::CaseInsensitive) == 0);
            const bool alone = t.bracketed && (!prevSameGroup || tvBefore) && !nextSameGroup;
            const bool afterTitle =
                i > 0 && isTitle(tokens[i - 1]) && t.text.size() >= 2 &&
                (fansubForm || (tokens[i - 1].kind == Kind::Cjk && t.text.startsWith(u'0')));
            if (alone || afterTitle) {
                t.kind = Kind::Tag;
                t.tag.strength = ReleaseTag::Strength::Strong;
                t.episodeNumber = true;
                if (tvBefore) {
                    tokens[i - 1].kind = Kind::Tag;
                }
            }
        }
        titleSeen = titleSeen || isTitle(t);
    }
}

}  // namespace

int bracketStep(char32_t c) {
    return isIn(u"[({【（《「『〔［｛〈", c) ? 1 : isIn(u"])}】）》」』〕］｝〉", c) ? -1 : 0;
}

std::vector<Token> tokenizeReleaseName(const QString& name) {
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
        } else if (!plain && isIn(u"/\uFF0F|", c)) {
            flush(i);  // 中文名 / English: two titles
            ++group;
        } else if (!plain && isSeparator(name, i)) {
            flush(i);
        } else if (start < 0) {
            start = i;
        }
    }
    flush(name.size());
    // Tags written as two words: H.264, Dolby.Vision, BT.2020, Directors.Cut.
    const auto is = [](const Token& token, QStringView word) {
        return token.text.compare(word, Qt::CaseInsensitive) == 0;
    };
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& a = tokens[i];
        const Token& b = tokens[i + 1];
        if ((is(a, u"h") && (is(b, u"264") || is(b, u"265"))) ||
            (is(a, u"dolby") && is(b, u"vision")) ||
            (is(a, u"bt") && (is(b, u"2020") || is(b, u"709"))) ||
            ((is(a, u"directors") || is(a, u"director's") || is(a, u"director")) &&
             is(b, u"cut"))) {
            tokens[i].kind = tokens[i + 1].kind = Kind::Tag;
        }
    }
    markEpisodeNumbers(tokens);
    return tokens;
}

}  // namespace vantrel
