#include "subtitles/subtitle_archive.h"

namespace vantrel {

QString subtitleLanguageLabel(SubtitleLanguage language) {
    switch (language) {
        case SubtitleLanguage::SimplifiedEnglish:
            return QStringLiteral("简英");
        case SubtitleLanguage::Simplified:
            return QStringLiteral("简体");
        case SubtitleLanguage::TraditionalEnglish:
            return QStringLiteral("繁英");
        case SubtitleLanguage::Traditional:
            return QStringLiteral("繁体");
        case SubtitleLanguage::English:
            return QStringLiteral("英文");
        case SubtitleLanguage::Other:
            break;
    }
    return QStringLiteral("其他");
}

SubtitleList listSubtitles(const QString&, const QString&) {
    SubtitleList list;
    list.failure = SubtitleFailure::NotSubtitle;
    list.message = QStringLiteral("不是字幕压缩包或字幕文件");
    return list;
}

QString subtitleTargetPath(const SubtitleEntry&, const QString&) { return {}; }

PlacedSubtitle placeSubtitle(const QString&, const SubtitleEntry&, const QString&, bool) {
    return {{}, SubtitleFailure::NotSubtitle, QStringLiteral("不是字幕压缩包或字幕文件")};
}

PlacedBest placeBestSubtitle(const QString& archivePath, const QString& videoPath, bool) {
    return {listSubtitles(archivePath, videoPath), {}};
}

bool isSubtitleArchiveOrFile(const QString&) { return false; }

}  // namespace vantrel
