#include "subtitles/subtitle_formats.h"

#include <QStringList>

namespace vantrel {
namespace {

struct FormatExtension {
    SubtitleFormat format;
    const char16_t* extension;
};

constexpr FormatExtension kExtensions[] = {
    {SubtitleFormat::Ass, u"ass"}, {SubtitleFormat::Ssa, u"ssa"}, {SubtitleFormat::Srt, u"srt"},
    {SubtitleFormat::Vtt, u"vtt"}, {SubtitleFormat::Sub, u"sub"}, {SubtitleFormat::Idx, u"idx"},
};

QString lowerExtension(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype slash = name.lastIndexOf(u'/');
    return dot <= slash ? QString() : name.mid(dot + 1).toLower();
}

}  // namespace

SubtitleFormat subtitleFormatOf(const QString& name) {
    const QString extension = lowerExtension(name);
    for (const FormatExtension& known : kExtensions) {
        if (extension == known.extension) {
            return known.format;
        }
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
    for (const FormatExtension& known : kExtensions) {
        if (known.format == format) {
            return QString::fromUtf16(known.extension);
        }
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
