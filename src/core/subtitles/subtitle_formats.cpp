#include "subtitles/subtitle_formats.h"

#include <QStringList>

namespace vantrel {
namespace {

QString lowerExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype slash = name.lastIndexOf(u'/');
    return dot <= slash ? QString() : name.mid(dot + 1).toLower();
}

}  // namespace

SubtitleFormat subtitleFormatOf(const QString& name) {
    const QString extension = lowerExtension(name);
    if (extension == u"ass") {
        return SubtitleFormat::Ass;
    }
    if (extension == u"ssa") {
        return SubtitleFormat::Ssa;
    }
    if (extension == u"srt") {
        return SubtitleFormat::Srt;
    }
    if (extension == u"vtt") {
        return SubtitleFormat::Vtt;
    }
    if (extension == u"sub") {
        return SubtitleFormat::Sub;
    }
    if (extension == u"idx") {
        return SubtitleFormat::Idx;
    }
    return SubtitleFormat::None;
}

bool isArchiveName(const QString& name) {
    static const QStringList kEndings = {QStringLiteral(".zip"),     QStringLiteral(".rar"),
                                         QStringLiteral(".7z"),      QStringLiteral(".tar"),
                                         QStringLiteral(".tar.gz"),  QStringLiteral(".tgz"),
                                         QStringLiteral(".tar.xz"),  QStringLiteral(".txz"),
                                         QStringLiteral(".tar.bz2"), QStringLiteral(".tbz2")};
    for (const QString& ending : kEndings) {
        if (name.endsWith(ending, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

QString formatExtension(SubtitleFormat format) {
    switch (format) {
        case SubtitleFormat::Ass:
            return QStringLiteral("ass");
        case SubtitleFormat::Ssa:
            return QStringLiteral("ssa");
        case SubtitleFormat::Srt:
            return QStringLiteral("srt");
        case SubtitleFormat::Vtt:
            return QStringLiteral("vtt");
        case SubtitleFormat::Sub:
            return QStringLiteral("sub");
        case SubtitleFormat::Idx:
            return QStringLiteral("idx");
        case SubtitleFormat::None:
            break;
    }
    return {};
}

int formatPreference(SubtitleFormat format) {
    switch (format) {
        case SubtitleFormat::Ass:
        case SubtitleFormat::Ssa:
            return 0;
        case SubtitleFormat::Srt:
            return 1;
        default:
            return 2;
    }
}

QString withoutExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot <= name.lastIndexOf(u'/') ? name : name.left(dot);
}

}  // namespace vantrel
