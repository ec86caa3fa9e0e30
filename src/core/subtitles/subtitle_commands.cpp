#include "subtitles/subtitle_commands.h"

#include "subtitles/subtitle_archive.h"
#include "subtitles/subtitle_messages.h"

namespace vantrel {
namespace {

QString listLines(const std::vector<SubtitleEntry>& entries) {
    QString lines;
    for (const SubtitleEntry& entry : entries) {
        lines += QString::number(entry.rank) + u'\t' + subtitleLanguageLabel(entry.language) +
                 u'\t' + entry.format + u'\t' + entry.path + u'\n';
    }
    return lines;
}

CommandOutput failed(const QString& message, int exitCode = subtitle_exit::kFailed) {
    return {exitCode, {}, message + u'\n'};
}

CommandOutput placed(const PlacedSubtitle& result) {
    switch (result.failure) {
        case SubtitleFailure::None:
            return {subtitle_exit::kPlaced, result.path + u'\n', {}};
        case SubtitleFailure::TargetExists:
            return failed(result.message, subtitle_exit::kRefused);
        default:
            return failed(result.message);
    }
}

}  // namespace

CommandOutput listSubtitlesCommand(const QString& archivePath, const QString& videoPath) {
    const SubtitleList list = listSubtitles(archivePath, videoPath);
    if (list.failure != SubtitleFailure::None) {
        return failed(list.message);
    }
    // Encrypted subtitles beside readable ones are not listed, but said.
    const QString skipped = list.encrypted.isEmpty() ? QString()
                                                     : QStringLiteral("跳过了加密的字幕：") +
                                                           list.encrypted.join(u'、') + u'\n';
    return {subtitle_exit::kPlaced, listLines(list.entries), skipped};
}

CommandOutput placeSubtitleCommand(const QString& archivePath, const QString& videoPath,
                                   const std::optional<QString>& entryPath, bool replace) {
    if (!entryPath) {
        const PlacedBest best = placeBestSubtitle(archivePath, videoPath, replace);
        if (best.placed.failure == SubtitleFailure::Tie) {
            CommandOutput output = failed(best.placed.message, subtitle_exit::kRefused);
            output.out = listLines(best.list.entries);
            return output;
        }
        return placed(best.placed);
    }
    const SubtitleList list = listSubtitles(archivePath, videoPath);
    if (list.failure != SubtitleFailure::None) {
        return failed(list.message);
    }
    const SubtitleEntry* chosen = nullptr;
    for (const SubtitleEntry& entry : list.entries) {
        if ((entry.path == *entryPath || QStringLiteral("./") + entry.path == *entryPath) &&
            (chosen == nullptr || entry.occurrence < chosen->occurrence)) {
            chosen = &entry;
        }
    }
    if (chosen == nullptr) {
        return failed(subtitleMessage(SubtitleFailure::EntryNotFound, *entryPath));
    }
    return placed(placeSubtitle(archivePath, *chosen, videoPath, replace));
}

}  // namespace vantrel
