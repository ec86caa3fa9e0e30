#pragma once

// The order in which subtitles are offered: the video's release (and a series' episode) first,
// then the language, then the format.
#include "release/release_name.h"
#include "subtitles/subtitle_archive.h"

#include <vector>

namespace vantrel {

// How an entry's name fits the video's: `releaseMatches` when it carries every mark of the
// release the video's name gives (source, resolution, group) and, for an episode of a series,
// the same season and episode. `episode` orders the rest of a series: 0 the same episode, 1 an
// entry naming none, 2 another episode; always 0 for a film.
struct ReleaseFit {
    bool releaseMatches = false;
    int episode = 0;
};

ReleaseFit releaseFit(const QString& entryPath, const ReleaseName& video);

struct RankedCandidate {
    SubtitleEntry entry;  // releaseMatches, language and format filled in
    int episode = 0;      // ReleaseFit::episode
};

// Sorts best first (keeping the archive's order among equals), numbers the ranks (equals share
// one: 1, 1, 3 ...) and tells whether the two best tie.
std::vector<SubtitleEntry> rankSubtitles(std::vector<RankedCandidate> candidates, bool& bestTie);

}  // namespace vantrel
