#include "subtitles/subtitle_ranking.h"

#include "release/video_file.h"
#include "subtitles/subtitle_formats.h"

#include <QRegularExpression>

#include <algorithm>
#include <tuple>

namespace vantrel {
namespace {

bool namesGroup(const QString& entryPath, const QString& group) {
    static const QRegularExpression kSeparators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    const QStringList tokens = entryPath.split(kSeparators, Qt::SkipEmptyParts);
    return std::any_of(tokens.begin(), tokens.end(), [&group](const QString& token) {
        return token.compare(group, Qt::CaseInsensitive) == 0;
    });
}

auto sortKey(const RankedCandidate& candidate) {
    const SubtitleEntry& entry = candidate.entry;
    return std::make_tuple(!entry.releaseMatches, candidate.episode,
                           static_cast<int>(entry.language),
                           formatPreference(subtitleFormatOf(u'.' + entry.format)));
}

}  // namespace

ReleaseFit releaseFit(const QString& entryPath, const ReleaseName& video) {
    const bool givesSourceOrResolution = !video.source.isEmpty() || !video.resolution.isEmpty();
    const bool givesMarks = givesSourceOrResolution || !video.group.isEmpty();
    const bool marks = (!givesSourceOrResolution || carriesRelease(entryPath, video)) &&
                       (video.group.isEmpty() || namesGroup(entryPath, video.group));
    ReleaseFit fit;
    if (video.episode < 0) {
        fit.releaseMatches = givesMarks && marks;
        return fit;
    }
    const ReleaseName entry = parseReleaseName(entryPath);
    const bool sameEpisode = entry.episode == video.episode &&
                             (entry.season < 0 || video.season < 0 || entry.season == video.season);
    fit.episode = sameEpisode ? 0 : entry.episode < 0 ? 1 : 2;
    fit.releaseMatches = sameEpisode && (!givesMarks || marks);
    return fit;
}

std::vector<SubtitleEntry> rankSubtitles(std::vector<RankedCandidate> candidates, bool& bestTie) {
    std::stable_sort(
        candidates.begin(), candidates.end(),
        [](const RankedCandidate& a, const RankedCandidate& b) { return sortKey(a) < sortKey(b); });
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const bool tiesPrevious = i > 0 && sortKey(candidates[i]) == sortKey(candidates[i - 1]);
        candidates[i].entry.rank =
            tiesPrevious ? candidates[i - 1].entry.rank : static_cast<int>(i) + 1;
    }
    std::vector<SubtitleEntry> entries;
    entries.reserve(candidates.size());
    for (RankedCandidate& candidate : candidates) {
        entries.push_back(std::move(candidate.entry));
    }
    bestTie = entries.size() >= 2 && entries[1].rank == 1;
    return entries;
}

}  // namespace vantrel
