#include "release/release_titles.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace vantrel {
namespace {

using Kind = TokenKind;

bool isTitle(const ReleaseToken& token) {
    return token.kind == Kind::Word || token.kind == Kind::Cjk;
}

// Words of editions and cuts; a run of them qualifies the release when it holds a head word
// (Edition, Cut, Version, Collection): Criterion Edition, Director's Cut, 25th Anniversary Edition.
bool isEditionWord(const QString& text, bool& head) {
    static const QSet<QString> heads{QStringLiteral("edition"), QStringLiteral("cut"),
                                     QStringLiteral("version"), QStringLiteral("collection")};
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QString& word :
             QStringLiteral("criterion collector collector's collectors special extended unrated "
                            "uncut remastered restored theatrical imax ultimate final anniversary "
                            "director director's directors diamond platinum limited integral redux "
                            "roadshow alternative alternate colorized open matte fan international "
                            "us uk se dc om oar hfr")
                 .split(u' ')) {
            set.insert(word);
        }
        return set;
    }();
    const QString lower = text.toLower();
    head = heads.contains(lower);
    if (head || words.contains(lower)) {
        return true;
    }
    // Ordinals of anniversaries: 25th, 40th, 2nd.
    static const QRegularExpression ordinal(QStringLiteral("^\\d+(?:st|nd|rd|th)$"));
    return !lower.isEmpty() && lower.front().isDigit() && ordinal.match(lower).hasMatch();
}

// Written as scene names write marks: in capitals (EXTENDED, DC), or with a small i among them
// (LiMiTED, NFOFiX, SWiSSGERMAN).
bool isCapitalised(const QString& text) {
    int upper = 0;
    for (const QChar c : text) {
        if (c.isLower() && c != u'i') {
            return false;
        }
        upper += c.isUpper() ? 1 : 0;
    }
    return upper >= 2;
}

bool isArticle(const QString& text) {
    static const QRegularExpression articles(QStringLiteral("^(?:the|a|an|le|la|les|der|die|das)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    return articles.match(text).hasMatch();
}

// A token that counts episodes: [05], S01E02, E05, 第5集.
bool isEpisodeMark(const ReleaseToken& token) {
    static const QRegularExpression latin(QStringLiteral("^(?:s\\d{1,2})?e(?:p)?\\d{1,4}$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return token.episodeNumber ||
           (token.kind == Kind::CjkTag &&
            (token.text.endsWith(u'集') || token.text.endsWith(u'话') ||
             token.text.endsWith(u'話'))) ||
           (token.kind == Kind::Tag && latin.match(token.text).hasMatch());
}

}  // namespace

QString markLeadingGroup(std::vector<ReleaseToken>& tokens) {
    const auto first = std::find_if(tokens.begin(), tokens.end(), isTitle);
    // The first bracket of a name that opens with one is numbered 1, the next 3, and so on; only
    // tags may stand before the group's (a bracket of categories or sites leaves no token).
    int expected = 1;
    for (auto it = tokens.begin(); it != first && it->bracketed; ++it) {
        expected += it->group == expected ? 2 : 0;
    }
    if (first == tokens.end() || !first->bracketed || first->group != expected) {
        return {};
    }
    const int group = first->group;
    const bool cjk = first->kind == Kind::Cjk;
    const bool titleElsewhere = std::any_of(first, tokens.end(), [&](const ReleaseToken& t) {
        return t.group != group && (t.kind == Kind::Cjk || (!cjk && t.kind == Kind::Word));
    });
    // A CJK bracket before another CJK title may still be the title ([霸王别姬][张国荣]); it names
    // a group or site when it says so (乐园, 网) or holds Latin letters, or in a series' name.
    const auto namesGroup = [&] {
        const auto inGroup = [&](const ReleaseToken& t) { return t.group == group; };
        const QString last = std::find_if(tokens.rbegin(), tokens.rend(), inGroup)->text;
        return std::any_of(first, tokens.end(),
                           [&](const ReleaseToken& t) {
                               return (inGroup(t) && t.kind == Kind::Word) || isEpisodeMark(t);
                           }) ||
               QStringLiteral("网網站园園屋社组組堂").contains(last.back());
    };
    if (!titleElsewhere || (cjk && !namesGroup())) {
        return {};
    }
    QStringList name;
    for (auto it = first; it != tokens.end() && it->group == group; ++it) {
        if (isTitle(*it)) {
            it->kind = Kind::Group;
            name.append(it->text);
        }
    }
    return name.join(QLatin1Char(' '));
}

int withoutQualifiers(const std::vector<ReleaseToken>& tokens, int begin, int end) {
    if (end - begin < 2) {
        return end;
    }
    const auto keeps = [&](int newEnd) {
        return newEnd > begin && !(newEnd == begin + 1 && isArticle(tokens[begin].text));
    };
    // Editions and cuts, in any case: Brazil Criterion Edition, Baraka Edition Collector.
    int at = end;
    bool head = false;
    for (bool isHead = false; at > begin && isEditionWord(tokens[at - 1].text, isHead); --at) {
        head = head || isHead;
    }
    if (head && end - at >= 2 && keeps(at)) {
        end = at;
        if (end - begin >= 2 && isArticle(tokens[end - 1].text)) {
            --end;  // Alexander Revisited The Final Cut
        }
    }
    // Marks in capitals after a title that is not: Suicide Squad EXTENDED, The Movie CONVERT.
    if (isCapitalised(tokens[begin].text)) {
        return end;
    }
    at = end;
    for (bool isHead = false; at > begin + 1 && isCapitalised(tokens[at - 1].text) &&
                              (isEditionWord(tokens[at - 1].text, isHead) ||
                               tokens[at - 1].tag.strength != ReleaseTag::Strength::None);
         --at) {
    }
    return keeps(at) ? at : end;
}

QString gluedGroup(const QStringList& words, bool lowerName) {
    static const QRegularExpression glued(QStringLiteral("^([a-z0-9]{2,8})-([a-z]+)$"));
    if (words.isEmpty()) {
        return {};
    }
    const QRegularExpressionMatch m = glued.match(words.front());
    // A title word never ends in an article (grp-the.title); a lower-case scene name renamed
    // with its group in front keeps no group at its end.
    if (m.hasMatch() && (isArticle(m.captured(2)) || (lowerName && words.size() >= 3))) {
        return m.captured(1);
    }
    return {};
}

}  // namespace vantrel
