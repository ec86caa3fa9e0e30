#include "subtitles/subtitle_archive.h"

#include "release/release_name.h"
#include "subtitles/subtitle_charset.h"
#include "subtitles/subtitle_dialogue.h"
#include "subtitles/subtitle_formats.h"
#include "subtitles/subtitle_language.h"
#include "subtitles/subtitle_messages.h"
#include "subtitles/subtitle_ranking.h"
#include "subtitles/subtitle_scan.h"
#include "subtitles/subtitle_writer.h"

#include <QFileInfo>

namespace vantrel {
namespace {

constexpr qsizetype kLanguageSample = 16 * 1024;

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

// A VobSub pair's languages are in its .idx; a text's name may need its dialogue's word.
SubtitleLanguage languageOf(const ScannedSubtitle& subtitle) {
    LanguageTags tags = languageTagsOfName(subtitle.path);
    if (tags.settled()) {
        return subtitleLanguage(tags, std::nullopt);
    }
    if (!subtitle.idxPath.isEmpty()) {
        const LanguageTags idx = languageTagsOfIdx(subtitle.idxStart);
        tags.chinese = tags.chinese || idx.chinese;
        tags.english = tags.english || idx.english;
        return subtitleLanguage(tags, std::nullopt);
    }
    if (subtitle.sample.isEmpty()) {
        return subtitleLanguage(tags, std::nullopt);
    }
    // The dialogue is picked out of the bytes where the charset keeps ASCII as it is; UTF-16 is
    // decoded first.
    QByteArrayView bytes = subtitle.sample;
    QByteArray utf8;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        utf8 = decodeSample(bytes, subtitle.format).toUtf8();
        bytes = utf8;
    }
    // Whole lines only: a character cut off at the end would no longer be at the end.
    if (const qsizetype end = bytes.lastIndexOf('\n'); end >= 0) {
        bytes = bytes.first(end + 1);
    }
    const QByteArray dialogue = dialogueLines(bytes, subtitle.format, kLanguageSample, false);
    return subtitleLanguage(tags, languageOfText(decodeSample(dialogue, subtitle.format)));
}

SubtitleList failedList(SubtitleFailure failure, QString message) {
    SubtitleList list;
    list.failure = failure;
    list.message = std::move(message);
    return list;
}

}  // namespace

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

SubtitleList listSubtitles(const QString& archivePath, const QString& videoPath) {
    const SubtitleScan scan = scanSubtitles(archivePath);
    QString message;
    const SubtitleFailure failure = scanFailure(scan, fileNameOf(archivePath), message);
    if (failure != SubtitleFailure::None) {
        return failedList(failure, message);
    }
    if (scan.subtitles.empty()) {
        SubtitleList list =
            scan.encrypted.isEmpty()
                ? failedList(SubtitleFailure::NoSubtitle,
                             subtitleMessage(SubtitleFailure::NoSubtitle, fileNameOf(archivePath)))
                : failedList(
                      SubtitleFailure::AllEncrypted,
                      subtitleMessage(SubtitleFailure::AllEncrypted, scan.encrypted.join(u'、')));
        list.encrypted = scan.encrypted;
        return list;
    }
    const ReleaseName video = videoPath.isEmpty() ? ReleaseName{} : parseReleaseName(videoPath);
    std::vector<RankedCandidate> candidates;
    candidates.reserve(scan.subtitles.size());
    for (const ScannedSubtitle& subtitle : scan.subtitles) {
        const EntryFit fit = entryFit(subtitle.path, video);
        SubtitleEntry entry{subtitle.path,
                            subtitle.occurrence,
                            formatExtension(subtitle.format),
                            languageOf(subtitle),
                            fit.releaseMatches,
                            subtitle.size,
                            0};
        candidates.push_back({std::move(entry), fit.episode});
    }
    SubtitleList list;
    list.entries = rankSubtitles(std::move(candidates), list.bestTie);
    list.encrypted = scan.encrypted;
    return list;
}

QString subtitleTargetPath(const SubtitleEntry& entry, const QString& videoPath) {
    const QFileInfo video(videoPath);
    QString suffix;
    switch (entry.language) {
        case SubtitleLanguage::SimplifiedEnglish:
        case SubtitleLanguage::Simplified:
        case SubtitleLanguage::TraditionalEnglish:
        case SubtitleLanguage::Traditional:
            suffix = QStringLiteral(".zh");
            break;
        case SubtitleLanguage::English:
            suffix = QStringLiteral(".en");
            break;
        case SubtitleLanguage::Other:
            break;
    }
    return video.absolutePath() + u'/' + video.completeBaseName() + suffix + u'.' + entry.format;
}

PlacedSubtitle placeSubtitle(const QString& archivePath, const SubtitleEntry& entry,
                             const QString& videoPath, bool replace) {
    if (!QFileInfo(videoPath).isFile()) {
        return {
            {}, SubtitleFailure::VideoGone, subtitleMessage(SubtitleFailure::VideoGone, videoPath)};
    }
    const UnpackedSubtitle unpacked = unpackSubtitle(archivePath, entry.path, entry.occurrence);
    PlacedSubtitle placed;
    placed.failure = scanFailure(unpacked.scan, fileNameOf(archivePath), placed.message);
    if (placed.failure != SubtitleFailure::None) {
        return placed;
    }
    if (!unpacked.found) {
        return {{},
                SubtitleFailure::EntryNotFound,
                subtitleMessage(SubtitleFailure::EntryNotFound, entry.path)};
    }
    SubtitleFiles files;
    files.entryPath = entry.path;
    files.format = subtitleFormatOf(entry.path);
    files.data = unpacked.data;
    files.vobSubPair = files.format == SubtitleFormat::Sub && unpacked.hasIdx;
    files.idxData = unpacked.idxData;
    return writeBesideVideo(files, subtitleTargetPath(entry, videoPath), videoPath, archivePath,
                            replace);
}

PlacedBest placeBestSubtitle(const QString& archivePath, const QString& videoPath, bool replace) {
    PlacedBest best;
    best.list = listSubtitles(archivePath, videoPath);
    if (best.list.failure != SubtitleFailure::None) {
        best.placed = {{}, best.list.failure, best.list.message};
    } else if (!QFileInfo(videoPath).isFile()) {
        // Before the choice: no choice of the user's can mend a video that is gone.
        best.placed = {
            {}, SubtitleFailure::VideoGone, subtitleMessage(SubtitleFailure::VideoGone, videoPath)};
    } else if (best.list.bestTie) {
        QStringList tied;
        for (const SubtitleEntry& entry : best.list.entries) {
            if (entry.rank == 1) {
                tied << entry.path;
            }
        }
        best.placed = {
            {}, SubtitleFailure::Tie, subtitleMessage(SubtitleFailure::Tie, tied.join(u'、'))};
    } else {
        best.placed = placeSubtitle(archivePath, best.list.entries.front(), videoPath, replace);
    }
    return best;
}

bool isSubtitleArchiveOrFile(const QString& fileName) {
    return isArchiveName(fileName) || subtitleFormatOf(fileName) != SubtitleFormat::None;
}

}  // namespace vantrel
