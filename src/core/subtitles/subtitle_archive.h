#pragma once

// From a downloaded subtitle archive (or a lone subtitle file) to a subtitle beside the video:
// what it holds, best first, and the one chosen written under the video's name. Everything a
// caller needs is here; the window and the command line share it. The functions keep no state
// and may run on any thread (a listing of a large zip takes a good tenth of a second, of a
// solid 7z or a tar.gz as long as unpacking it whole).
#include <QString>
#include <QStringList>

#include <vector>

namespace vantrel {

// Best first; the order is part of the ranking.
enum class SubtitleLanguage {
    SimplifiedEnglish,   // 简英: Simplified Chinese with English (also 中英, 双语)
    Simplified,          // 简体
    TraditionalEnglish,  // 繁英
    Traditional,         // 繁体
    English,             // 英文
    Other                // 其他: unknown or any other language
};

// The label the window and the command line show: 简英, 简体, 繁英, 繁体, 英文 or 其他.
QString subtitleLanguageLabel(SubtitleLanguage language);

struct SubtitleEntry {
    // The entry's path as the archive names it, decoded for display ("简体/Film.srt"); an entry of
    // an archive inside the archive is that archive's path, '/', then its own path. Control
    // characters show as U+FFFD. Only ever a name to show and to choose by: never a path to write.
    QString path;
    // Several entries may carry the same path: 0 for the first in the archive's order, 1 for the
    // next... Together with `path` it names one entry.
    int occurrence = 0;
    QString format;  // the extension in lower case: ass, ssa, srt, vtt or sub (a VobSub pair)
    SubtitleLanguage language = SubtitleLanguage::Other;
    bool releaseMatches = false;  // the release (and a series' episode) is the video's
    qint64 size = -1;             // unpacked bytes when known, else -1
    int rank = 0;                 // 1 for the best; entries that tie share a rank
};

enum class SubtitleFailure {
    None,
    NotSubtitle,        // neither an archive nor a subtitle file (or a damaged archive)
    Unreadable,         // the file is gone or cannot be read
    NoSubtitle,         // the archive holds no subtitle
    AllEncrypted,       // every subtitle in it is encrypted
    OverLimit,          // archive, entry count, subtitle, unpacked total or ratio beyond its limit
    EntryNotFound,      // the entry asked for is not (or no longer) in the archive
    Tie,                // no entry named and the best two tie: the caller must choose
    CannotDecode,       // the subtitle's text is in no charset the tool reads
    VideoGone,          // the video file is not there
    FolderNotWritable,  // the video's folder cannot be written
    TargetExists,       // a file of the target's name exists and replacing was not asked for
    WriteFailed         // writing, renaming or moving the old file to the trash failed
};

struct SubtitleList {
    std::vector<SubtitleEntry> entries;  // best first; empty on failure
    // The two best share rank 1: nothing should be chosen for the user.
    bool bestTie = false;
    // Subtitle entries skipped because they are encrypted, as paths like `path` above.
    QStringList encrypted;
    SubtitleFailure failure = SubtitleFailure::None;
    QString message;  // for a failure: one line in the window's words, with its cause
};

// Reads the archive or subtitle file at `archivePath` (never changing it) and ranks what it holds
// against the video's name; `videoPath` may be empty (no release to match) and need not exist.
SubtitleList listSubtitles(const QString& archivePath, const QString& videoPath);

struct PlacedSubtitle {
    // The subtitle file written (for a VobSub pair the .sub; its .idx lies beside it). For
    // TargetExists, the file that is in the way.
    QString path;
    SubtitleFailure failure = SubtitleFailure::None;
    QString message;  // for a failure: one line in the window's words, with its cause
};

// Where `entry` goes beside `videoPath`: the video's name without its extension, `.zh` for any
// Chinese, `.en` for English alone, then the entry's own extension.
QString subtitleTargetPath(const SubtitleEntry& entry, const QString& videoPath);

// Writes `entry` (as listSubtitles gave it: path and occurrence name it) of the archive beside the
// video, as UTF-8 without a byte-order mark (a VobSub pair copied unchanged), through a temporary
// file renamed into place. An existing target fails with TargetExists unless `replace`, which
// moves it to the desktop's trash first. On any failure nothing is written.
PlacedSubtitle placeSubtitle(const QString& archivePath, const SubtitleEntry& entry,
                             const QString& videoPath, bool replace);

// Lists and places the best entry, or fails with Tie (the list's entries are then in `list`).
struct PlacedBest {
    SubtitleList list;
    PlacedSubtitle placed;
};
PlacedBest placeBestSubtitle(const QString& archivePath, const QString& videoPath, bool replace);

// By the name alone: an archive the tool reads (.zip .rar .7z .tar, .tar.gz .tar.xz .tar.bz2 and
// their short forms) or a subtitle file (.srt .ass .ssa .vtt .sub .idx). For a drop or a new
// download to be offered.
bool isSubtitleArchiveOrFile(const QString& fileName);

}  // namespace vantrel
