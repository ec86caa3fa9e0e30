#include "release/release_episode.h"

#include <QRegularExpression>

#include <algorithm>

namespace vantrel {
namespace {

// Chinese numerals up to 99 (二, 十二, 二十三) and Arabic digits; -1 for anything else.
int numberOf(QStringView text) {
    bool ok = false;
    const int arabic = text.toInt(&ok);
    if (ok) {
        return arabic;
    }
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    int value = 0;
    int unit = -1;
    for (const QChar c : text) {
        if (c == u'十') {
            value += (unit < 0 ? 1 : unit) * 10;
            unit = 0;
        } else if (c == u'两') {
            unit = 2;
        } else if (const qsizetype d = digits.indexOf(c); d >= 0) {
            unit = static_cast<int>(d);
        } else if (c == u'〇') {
            unit = 0;
        } else {
            return -1;
        }
    }
    return value + std::max(unit, 0);
}

void readLatin(const ReleaseToken& token, ReleaseName& result, bool& range) {
    static const QRegularExpression form(QStringLiteral(
        "^(?:s(\\d{1,2})(?:e(\\d{1,4})(e\\d{1,4})*)?|ep?(\\d{1,4})|(\\d{1,2})x(\\d{2,3}))"
        "(-s?e?p?\\d{1,4})?$"));
    static const QRegularExpression number(QStringLiteral("^(\\d{1,4})(?:v\\d)?(-\\d{1,4})?$"));
    const auto set = [](int& field, QStringView text) {
        if (field < 0 && !text.isEmpty()) {
            field = text.toInt();
        }
    };
    if (token.episodeNumber) {
        const QRegularExpressionMatch m = number.match(token.text);
        set(result.episode, m.capturedView(1));
        range = range || m.capturedLength(2) > 0;
        return;
    }
    const QRegularExpressionMatch m = form.match(token.text.toLower());
    set(result.season, m.capturedView(1));
    set(result.season, m.capturedView(5));
    range = range || m.capturedLength(3) > 0 || m.capturedLength(7) > 0;
    for (const int at : {2, 4, 6}) {
        set(result.episode, m.capturedView(at));
    }
}

void readCjk(const QString& text, ReleaseName& result) {
    static const QRegularExpression form(
        QStringLiteral("^(?:第|全)?([0-9一二三四五六七八九十零〇两]+)([季集话話期])$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return;
    }
    int& field = m.capturedView(2) == u"季" ? result.season : result.episode;
    if (field < 0 && !text.startsWith(u'全')) {
        field = numberOf(m.capturedView(1));
    }
}

// S01E02, E02, EP02 and 1x02 start with S or E or hold an x; most tags do neither.
bool mayCountEpisodes(const ReleaseToken& token) {
    const QChar first = token.text.isEmpty() ? QChar() : token.text.front().toLower();
    return token.episodeNumber || first == u's' || first == u'e' ||
           (first.isDigit() && token.text.contains(u'x', Qt::CaseInsensitive));
}

}  // namespace

QString withEpisodeMarks(QString name) {
    static const QRegularExpression dashed(
        QStringLiteral("\\s[-–]\\s*(\\d{2,4})(?:v\\d)?(?=[\\s\\[(【.]|$)"));
    static const QRegularExpression spaced(QStringLiteral("第\\s+(\\d+)\\s*([集话話])"));
    static const QRegularExpression yearLike(QStringLiteral("^(?:19|20)\\d\\d$"));
    if (!name.contains(u" -") && !name.contains(u" –") && !name.contains(u'第')) {
        return name;
    }
    for (QRegularExpressionMatch m = dashed.match(name); m.hasMatch();
         m = dashed.match(name, m.capturedStart() + 1)) {
        if (!yearLike.match(m.capturedView(1)).hasMatch()) {
            name.replace(m.capturedStart(), m.capturedLength(),
                         QStringLiteral(" E") + m.captured(1));
        }
    }
    return name.replace(spaced, QStringLiteral("第\\1\\2"));
}

void readEpisode(const std::vector<ReleaseToken>& tokens, ReleaseName& result) {
    bool range = false;
    for (const ReleaseToken& token : tokens) {
        if (token.kind == TokenKind::Tag && mayCountEpisodes(token)) {
            readLatin(token, result, range);
        } else if (token.kind == TokenKind::CjkTag) {
            readCjk(token.text, result);
        }
    }
    if (range) {
        result.episode = -1;
    }
}

}  // namespace vantrel
