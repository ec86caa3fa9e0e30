#pragma once

// How closely another name (a subtitle file in an archive, a search result) fits a video's
// release, both read by parseReleaseName.
#include "release/release_name.h"

namespace vantrel {

// Whether `other` may be the video's episode: always for a film (the video gives no episode);
// for a series, `other` must give the same episode, and the same season when both give one.
bool sameEpisode(const ReleaseName& video, const ReleaseName& other);

// The rank of `other` among candidates for the video: -1 when it names another episode or season
// of the video's series, else 8 for the same episode, plus 4 for the same release group, 2 for the
// same source and 1 for the same resolution, each counted only where both names give it. Higher
// fits better; 0 says nothing matches but nothing contradicts (a file that gives no episode).
int releaseFit(const ReleaseName& video, const ReleaseName& other);

}  // namespace vantrel
