#include "release/release_sites.h"

#include <QRegularExpression>

namespace vantrel {

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
    // A site's address before a dash names the site whatever its ending: www.site.ink - Title.
    static const QRegularExpression leading(
        QStringLiteral("^\\p{Han}*(?:[A-Za-z-]*\\d[A-Za-z0-9-]*\\.(?:%1)(?![A-Za-z0-9])|"
                       "[A-Za-z0-9-]+\\.(?:%1)(?=[@\\]】]|[^\\x00-\\x7F])|"
                       "www\\.[A-Za-z0-9-]+\\.[A-Za-z]{2,6}(?=\\s*[-–]\\s))")
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

}  // namespace vantrel
