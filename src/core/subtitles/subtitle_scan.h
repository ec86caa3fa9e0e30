#pragma once

// The subtitles an archive holds, in archives inside it too, or the lone subtitle file itself:
// listed with what ranking them needs, or one of them unpacked to be written.
#include "archive/archive_limits.h"
#include "archive/archive_reader.h"
#include "subtitles/subtitle_formats.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vantrel {

struct ScannedSubtitle {
    QString path;  // SubtitleEntry::path
    int occurrence = 0;
    SubtitleFormat format = SubtitleFormat::None;
    qint64 size = -1;
    // The text's first bytes, when the name leaves the language open.
    QByteArray sample;
    // A .sub's .idx from the same folder of the same archive: its path and its first bytes.
    QString idxPath;
    QByteArray idxStart;
};

enum class ScanFailure { None, Unreadable, NotSubtitle, Damaged, HeadersEncrypted, OverLimit };

struct SubtitleScan {
    std::vector<ScannedSubtitle>
        subtitles;          // in the archive's order; .idx entries paired, not here
    QStringList encrypted;  // encrypted subtitles and archives inside
    ScanFailure failure = ScanFailure::None;
    ArchiveLimit limit = ArchiveLimit::None;
    QString limitEntry;  // the entry an OverLimit concerns, where one does
};

// Lists the subtitles of the archive or subtitle file at `path`.
SubtitleScan scanSubtitles(const QString& path);

struct UnpackedSubtitle {
    SubtitleScan scan;  // failure, and whether the entry was found (found below)
    bool found = false;
    QByteArray data;
    bool hasIdx = false;  // a .sub found with its .idx: a VobSub pair
    QByteArray idxData;
};

// Unpacks the entry that `entryPath` and `occurrence` name (as scanSubtitles gave them), with
// its .idx when it is a .sub.
UnpackedSubtitle unpackSubtitle(const QString& path, const QString& entryPath, int occurrence);

}  // namespace vantrel
