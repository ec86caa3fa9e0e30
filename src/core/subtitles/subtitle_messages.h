#pragma once

// The messages of subtitle_archive.h's failures, in the window's words: what failed, then after
// a full-width colon its cause or the name it concerns.
#include "subtitles/subtitle_archive.h"
#include "subtitles/subtitle_scan.h"

#include <QString>

namespace vantrel {

QString subtitleMessage(SubtitleFailure failure, const QString& detail);

// A scan's failure as the caller reports it; None when the scan did not fail. `fileName` is
// the archive's or subtitle file's name.
SubtitleFailure scanFailure(const SubtitleScan& scan, const QString& fileName, QString& message);

// What a failed write or rename says about its cause (a full disk, a read-only folder ...).
QString writeCause(int errorNumber);

}  // namespace vantrel
