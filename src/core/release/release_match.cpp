#include "release/release_match.h"

namespace vantrel {
namespace {

bool sameGiven(const QString& a, const QString& b) {
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

bool sameEpisode(const ReleaseName& video, const ReleaseName& other) {
    if (video.episode < 0) {
        return true;
    }
    const bool seasonsAgree = video.season < 0 || other.season < 0 || video.season == other.season;
    return other.episode == video.episode && seasonsAgree;
}

int releaseFit(const ReleaseName& video, const ReleaseName& other) {
    const bool episodeGiven = video.episode >= 0 && other.episode >= 0;
    if (episodeGiven && !sameEpisode(video, other)) {
        return -1;
    }
    // The group decides the cut and the timing more than the source does, the source more than
    // the resolution.
    return (episodeGiven ? 8 : 0) + (sameGiven(video.group, other.group) ? 4 : 0) +
           (sameGiven(video.source, other.source) ? 2 : 0) +
           (sameGiven(video.resolution, other.resolution) ? 1 : 0);
}

}  // namespace vantrel
