#pragma once

// A series' season and episode as release names write them: S01E02, S01.E02, 1x02, EP02, E02,
// 第2集, 第二季 第3集, [02] or " - 02" after a title.
#include "release/release_name.h"
#include "release/release_tokens.h"

#include <QString>

#include <vector>

namespace vantrel {

// The name with the spaced forms written as single tokens: "Title - 02 [" as "Title E02 [",
// "第 7 集" as "第7集".
QString withEpisodeMarks(QString name);

// Sets `season` and `episode` from the name's tags; a range (01-26, S01E01E02) leaves the
// episode -1.
void readEpisode(const std::vector<ReleaseToken>& tokens, ReleaseName& result);

}  // namespace vantrel
