#pragma once

// A subtitle written beside its video: only under the name it was given, only in the video's
// folder, through a temporary file renamed into place, never over a file that is there.
#include "subtitles/subtitle_archive.h"
#include "subtitles/subtitle_formats.h"

#include <QByteArray>
#include <QString>

namespace vantrel {

struct SubtitleFiles {
    QString entryPath;  // for messages
    SubtitleFormat format = SubtitleFormat::None;
    QByteArray data;
    bool vobSubPair = false;  // data is a VobSub .sub and idxData its .idx: copied unchanged
    QByteArray idxData;
};

// Writes `files` to `targetPath` (subtitleTargetPath() beside `videoPath`), the .idx of a pair
// beside it. `sourcePath`, the archive or subtitle file, is never replaced, even when it is
// the target itself; any other file in the way is moved to the trash when `replace`.
PlacedSubtitle writeBesideVideo(const SubtitleFiles& files, const QString& targetPath,
                                const QString& videoPath, const QString& sourcePath, bool replace);

}  // namespace vantrel
