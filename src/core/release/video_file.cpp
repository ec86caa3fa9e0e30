#include "release/video_file.h"

#include "release/release_match.h"
#include "release/release_tags.h"

#include <QFile>
#include <QUrl>

namespace vantrel {
namespace {

// Release tags are ASCII: a CJK word glued to one ("蓝光1080P") ends where the tag begins.
bool isAsciiAlnum(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

QString videoPathFromArgument(const QByteArray& argument) {
    if (argument.startsWith("file:")) {
        return QUrl::fromEncoded(argument).toLocalFile();
    }
    return QFile::decodeName(argument);
}

QString episodeLabel(const ReleaseName& name) {
    if (name.episode < 0) {
        return {};
    }
    const QString episode = QStringLiteral("E%1").arg(name.episode, 2, 10, QLatin1Char('0'));
    return name.season < 0
               ? episode
               : QStringLiteral("S%1").arg(name.season, 2, 10, QLatin1Char('0')) + episode;
}

QString keywordLine(const ReleaseName& name) {
    const auto field = [](QString text) {
        for (QChar& unit : text) {
            if (unit == u'\t' || unit == u'\n' || unit == u'\r') {
                unit = u' ';
            }
        }
        return text;
    };
    return field(name.keyword) + u'\t' + field(name.otherTitle) + u'\t' + name.year + u'\t' +
           name.source + u'\t' + name.resolution + u'\t' + episodeLabel(name);
}

bool carriesRelease(QStringView text, const ReleaseName& video) {
    if (video.source.isEmpty() && video.resolution.isEmpty()) {
        return false;
    }
    bool source = video.source.isEmpty();
    bool resolution = video.resolution.isEmpty();
    const auto read = [&](QStringView token) {
        const ReleaseTag tag = latinReleaseTag(token.toString());
        source = source || (!tag.source.isEmpty() && tag.source == video.source);
        resolution =
            resolution || (!tag.resolution.isEmpty() && tag.resolution == video.resolution);
        return !tag.source.isEmpty() || !tag.resolution.isEmpty();
    };
    // Tokens run between anything but ASCII letters, digits and hyphens; a hyphenated token that is
    // no tag as a whole ("BD-720P") is read part by part, one that is ("WEB-DL", "Blu-ray") is not.
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size() && !(source && resolution); ++i) {
        if (i < text.size() && (isAsciiAlnum(text[i]) || text[i] == u'-')) {
            continue;
        }
        const QStringView token = text.mid(start, i - start);
        start = i + 1;
        if (token.isEmpty() || read(token) || !token.contains(u'-')) {
            continue;
        }
        for (const QStringView part : token.split(u'-', Qt::SkipEmptyParts)) {
            read(part);
        }
    }
    // A series' result must also be the video's episode, read by the same rules.
    return source && resolution &&
           (video.episode < 0 || sameEpisode(video, parseReleaseText(text.toString())));
}

}  // namespace vantrel
