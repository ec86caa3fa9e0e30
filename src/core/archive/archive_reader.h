#pragma once

// One archive read entry by entry through libarchive (zip, rar 4 and 5, 7z, tar, the latter also
// compressed with gzip, xz or bzip2), within the bounds of archive_limits.h.
#include "archive/archive_limits.h"
#include "archive/archive_source.h"

#include <QByteArray>
#include <QString>

#include <memory>

struct archive;
struct archive_entry;

namespace vantrel {

struct ArchiveEntryHeader {
    QString name;              // decoded (entry_name.h); may hold "..", a leading '/', anything
    bool regularFile = false;  // neither a folder, a link, a hard link nor a device
    bool encrypted = false;
    qint64 declaredSize = -1;  // the size the archive states, -1 when it states none
};

enum class ArchiveFailure { None, NotArchive, Damaged, HeadersEncrypted, OverLimit };

class ArchiveReader {
public:
    // Opens the archive in `source` (null: fails as Damaged) and counts it against `budget`,
    // which must outlive the reader; an archive larger than the bound fails as OverLimit.
    ArchiveReader(std::unique_ptr<ArchiveSource> source, ArchiveBudget& budget);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Moves to the next entry, skipping what is left of the current one. False at the end and on
    // a failure (failure() tells which). What is left of the current entry by its declared size
    // counts as unpacked: in a compressed tar or a solid archive skipping it means unpacking it.
    bool next();
    const ArchiveEntryHeader& entry() const { return entry_; }

    // Unpacks the current entry whole into `data`. It fails as OverLimit beyond `maxBytes`
    // (reported as `overLimit`), the budget's unpacked bytes or the packing ratio, the latter
    // taken over the whole archive so far once the entry passes kRatioFrom: in a solid archive an
    // entry repeating an earlier one packs to almost nothing.
    bool readAll(qint64 maxBytes, ArchiveLimit overLimit, QByteArray& data);
    // The current entry's first `maxBytes` bytes at most, to look at; the rest stays packed.
    bool readStart(qint64 maxBytes, QByteArray& data);

    ArchiveFailure failure() const { return failure_; }
    ArchiveLimit limit() const { return limit_; }  // for OverLimit

private:
    bool read(qint64 maxBytes, ArchiveLimit overLimit, bool whole, QByteArray& data);
    bool fail(ArchiveFailure failure, ArchiveLimit limit = ArchiveLimit::None);

    std::unique_ptr<ArchiveSource> source_;
    ArchiveBudget& budget_;
    struct archive* archive_ = nullptr;
    ArchiveEntryHeader entry_;
    qint64 entryRead_ = 0;  // bytes of the current entry unpacked so far
    qint64 unpacked_ = 0;   // bytes of every entry of this archive unpacked so far
    ArchiveFailure failure_ = ArchiveFailure::None;
    ArchiveLimit limit_ = ArchiveLimit::None;
};

}  // namespace vantrel
