#pragma once

// The bounds within which an archive is read, so that a damaged or hostile one (a bomb, a flood of
// entries) costs little time and memory and fails with a message saying which bound it passed.
#include <QString>
#include <QtGlobal>

namespace vantrel {

namespace archive_limits {
constexpr qint64 kMiB = 1024 * 1024;
constexpr qint64 kArchiveBytes = 64 * kMiB;    // an archive, also one inside an archive
constexpr int kEntries = 1000;                 // entries of every kind, nested archives' too
constexpr qint64 kSubtitleBytes = 32 * kMiB;   // one subtitle, unpacked
constexpr qint64 kUnpackedBytes = 256 * kMiB;  // everything unpacked from one archive
constexpr qint64 kRatio = 200;                 // unpacked bytes per packed byte...
constexpr qint64 kRatioFrom = 1 * kMiB;        // ...for entries larger than this
constexpr int kNestedLevels = 2;               // archives inside archives inside the archive
}  // namespace archive_limits

enum class ArchiveLimit { None, ArchiveSize, Entries, EntrySize, Unpacked, Ratio };

// What was unpacked and counted so far, shared by an archive and the archives inside it.
struct ArchiveBudget {
    int entries = 0;
    qint64 unpacked = 0;
};

// "压缩包超过限制：…", naming the entry where the bound concerns one.
QString archiveLimitMessage(ArchiveLimit limit, const QString& entryName);

}  // namespace vantrel
