#include "subtitles/subtitle_scan.h"

#include "archive/archive_source.h"
#include "subtitles/subtitle_language.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <functional>
#include <memory>

namespace vantrel {
namespace {

// Enough text to tell its charset and language: a few hundred lines.
constexpr qint64 kSampleBytes = 16 * 1024;

bool sameStem(const QString& a, const QString& b) {
    return withoutExtension(a).compare(withoutExtension(b), Qt::CaseInsensitive) == 0;
}

// Visits every regular subtitle entry of an archive and of the archives inside it, with the
// path and occurrence that name it, until `visit` returns false or something fails.
class ArchiveWalk {
public:
    using Visit = std::function<bool(const QString& path, int occurrence, SubtitleFormat format,
                                     ArchiveReader& reader)>;

    ArchiveWalk(SubtitleScan& scan, Visit visit) : scan_(scan), visit_(std::move(visit)) {}

    // False when the file is no archive (the scan untouched); true when it was read as one,
    // to the end or to a failure (the scan says which).
    bool walkFile(const QString& path) {
        ArchiveReader reader(openFileSource(path), budget_);
        // A file too large for an archive is only reported as one when its name says it is:
        // a video dropped by mistake is no subtitle, not an archive over the bound.
        const bool tooLarge = reader.failure() == ArchiveFailure::OverLimit &&
                              reader.limit() == ArchiveLimit::ArchiveSize;
        if (reader.failure() == ArchiveFailure::NotArchive || (tooLarge && !isArchiveName(path))) {
            return false;
        }
        walk(reader, QString(), 0);
        return true;
    }

private:
    // False to stop: `visit` asked to, or the scan failed (scan_.failure says so).
    bool walk(ArchiveReader& reader, const QString& prefix, int level) {
        while (reader.next()) {
            const ArchiveEntryHeader& header = reader.entry();
            const SubtitleFormat format = subtitleFormatOf(header.name);
            const bool nested = format == SubtitleFormat::None && isArchiveName(header.name);
            if (!header.regularFile || (format == SubtitleFormat::None && !nested)) {
                continue;
            }
            const QString path = prefix + header.name;
            if (header.encrypted) {
                scan_.encrypted << path;
                continue;
            }
            const int occurrence = seen_[path]++;
            if (nested) {
                if (level < archive_limits::kNestedLevels && !walkNested(reader, path, level)) {
                    return false;
                }
            } else if (!visit_(path, occurrence, format, reader)) {
                record(reader, path);
                return false;
            }
        }
        record(reader, prefix);
        return scan_.failure == ScanFailure::None;
    }

    bool walkNested(ArchiveReader& reader, const QString& path, int level) {
        QByteArray bytes;
        if (!reader.readAll(archive_limits::kArchiveBytes, ArchiveLimit::ArchiveSize, bytes)) {
            record(reader, path);
            return false;
        }
        ArchiveReader inner(memorySource(std::move(bytes)), budget_);
        if (walk(inner, path + u'/', level + 1)) {
            return true;
        }
        switch (inner.failure()) {
            case ArchiveFailure::HeadersEncrypted:
                scan_.encrypted << path;
                [[fallthrough]];
            case ArchiveFailure::NotArchive:
            case ArchiveFailure::Damaged:
                // An archive inside that is none, is damaged or hides its names is passed over.
                scan_.failure = ScanFailure::None;
                return true;
            case ArchiveFailure::None:       // `visit` asked to stop
            case ArchiveFailure::OverLimit:  // the whole archive fails
                break;
        }
        return false;
    }

    // Records the failure `reader` stopped on, if any, for the entry at `path`.
    void record(const ArchiveReader& reader, const QString& path) {
        switch (reader.failure()) {
            case ArchiveFailure::None:
                return;
            case ArchiveFailure::OverLimit:
                scan_.failure = ScanFailure::OverLimit;
                scan_.limit = reader.limit();
                scan_.limitEntry = path;
                return;
            case ArchiveFailure::HeadersEncrypted:
                scan_.failure = ScanFailure::HeadersEncrypted;
                return;
            case ArchiveFailure::NotArchive:
            case ArchiveFailure::Damaged:
                scan_.failure = ScanFailure::Damaged;
                return;
        }
    }

    SubtitleScan& scan_;
    Visit visit_;
    ArchiveBudget budget_;
    QHash<QString, int> seen_;
};

// A file's first `maxBytes` (all of it with -1), or nothing when it cannot be read.
bool readFile(const QString& path, qint64 maxBytes, QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    data = file.read(maxBytes < 0 ? file.size() : maxBytes);
    return file.error() == QFileDevice::NoError;
}

// The file beside `path` with the same name but the extension `extension` (in either case).
QString besideWithExtension(const QString& path, const QString& extension) {
    const QString stem = withoutExtension(path);
    for (const QString& candidate : {stem + u'.' + extension, stem + u'.' + extension.toUpper()}) {
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

// A subtitle file on its own: a .sub takes the .idx beside it, an .idx stands for its .sub.
struct PlainSubtitle {
    QString file;
    QString idxFile;
    SubtitleFormat format = SubtitleFormat::None;
};

PlainSubtitle plainSubtitle(const QString& path) {
    PlainSubtitle plain{path, {}, subtitleFormatOf(QFileInfo(path).fileName())};
    if (plain.format == SubtitleFormat::Idx) {
        plain.idxFile = path;
        plain.file = besideWithExtension(path, QStringLiteral("sub"));
        plain.format = plain.file.isEmpty() ? SubtitleFormat::None : SubtitleFormat::Sub;
    } else if (plain.format == SubtitleFormat::Sub) {
        plain.idxFile = besideWithExtension(path, QStringLiteral("idx"));
    }
    return plain;
}

bool overLimit(SubtitleScan& scan, const QString& file) {
    if (QFileInfo(file).size() <= archive_limits::kSubtitleBytes) {
        return false;
    }
    scan.failure = ScanFailure::OverLimit;
    scan.limit = ArchiveLimit::EntrySize;
    scan.limitEntry = QFileInfo(file).fileName();
    return true;
}

void scanPlainFile(const QString& path, SubtitleScan& scan) {
    const PlainSubtitle plain = plainSubtitle(path);
    if (plain.format == SubtitleFormat::None) {
        scan.failure = ScanFailure::NotSubtitle;
        return;
    }
    if (overLimit(scan, plain.file)) {
        return;
    }
    ScannedSubtitle subtitle;
    subtitle.path = QFileInfo(plain.file).fileName();
    subtitle.format = plain.format;
    subtitle.size = QFileInfo(plain.file).size();
    bool read = readFile(plain.file, kSampleBytes, subtitle.sample);
    if (!plain.idxFile.isEmpty()) {
        subtitle.idxPath = QFileInfo(plain.idxFile).fileName();
        read = read && readFile(plain.idxFile, kSampleBytes, subtitle.idxStart);
    }
    if (!read) {
        scan.failure = ScanFailure::Unreadable;
        return;
    }
    scan.subtitles.push_back(std::move(subtitle));
}

void unpackPlainFile(const QString& path, UnpackedSubtitle& unpacked) {
    const PlainSubtitle plain = plainSubtitle(path);
    SubtitleScan& scan = unpacked.scan;
    if (plain.format == SubtitleFormat::None) {
        scan.failure = ScanFailure::NotSubtitle;
        return;
    }
    if (overLimit(scan, plain.file) ||
        (!plain.idxFile.isEmpty() && overLimit(scan, plain.idxFile))) {
        return;
    }
    unpacked.found = true;
    bool read = readFile(plain.file, -1, unpacked.data);
    if (!plain.idxFile.isEmpty()) {
        unpacked.hasIdx = true;
        read = read && readFile(plain.idxFile, -1, unpacked.idxData);
    }
    if (!read) {
        scan.failure = ScanFailure::Unreadable;
    }
}

bool readable(const QString& path, SubtitleScan& scan) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        scan.failure = ScanFailure::Unreadable;
        return false;
    }
    return true;
}

}  // namespace

SubtitleScan scanSubtitles(const QString& path) {
    SubtitleScan scan;
    if (!readable(path, scan)) {
        return scan;
    }
    std::vector<ScannedSubtitle> idxFiles;
    ArchiveWalk walk(scan, [&scan, &idxFiles](const QString& entryPath, int occurrence,
                                              SubtitleFormat format, ArchiveReader& reader) {
        const ArchiveEntryHeader& header = reader.entry();
        ScannedSubtitle subtitle{entryPath, occurrence, format, header.declaredSize, {}, {}, {}};
        const bool wantSample =
            format == SubtitleFormat::Idx || !languageTagsOfName(entryPath).settled();
        // Entries of unknown size, and those large enough for the packing ratio to matter, are
        // unpacked whole: the bounds are checked now, not only when one is written.
        if (header.declaredSize < 0 || header.declaredSize > archive_limits::kRatioFrom) {
            QByteArray data;
            if (!reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize, data)) {
                return false;
            }
            subtitle.size = data.size();
            if (wantSample) {
                subtitle.sample = data.left(kSampleBytes);
            }
        } else if (wantSample && !reader.readStart(kSampleBytes, subtitle.sample)) {
            return false;
        }
        (format == SubtitleFormat::Idx ? idxFiles : scan.subtitles).push_back(std::move(subtitle));
        return true;
    });
    if (!walk.walkFile(path)) {
        scanPlainFile(path, scan);
        return scan;
    }
    for (ScannedSubtitle& subtitle : scan.subtitles) {
        if (subtitle.format != SubtitleFormat::Sub) {
            continue;
        }
        for (const ScannedSubtitle& idx : idxFiles) {
            if (sameStem(idx.path, subtitle.path)) {
                subtitle.idxPath = idx.path;
                subtitle.idxStart = idx.sample;
                break;
            }
        }
    }
    return scan;
}

UnpackedSubtitle unpackSubtitle(const QString& path, const QString& entryPath, int occurrence) {
    UnpackedSubtitle unpacked;
    if (!readable(path, unpacked.scan)) {
        return unpacked;
    }
    const bool wantsIdx = subtitleFormatOf(entryPath) == SubtitleFormat::Sub;
    ArchiveWalk walk(unpacked.scan, [&](const QString& thisPath, int thisOccurrence,
                                        SubtitleFormat format, ArchiveReader& reader) {
        if (format != SubtitleFormat::Idx && thisPath == entryPath &&
            thisOccurrence == occurrence) {
            if (!reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize,
                                unpacked.data)) {
                return false;
            }
            unpacked.found = true;
        } else if (wantsIdx && format == SubtitleFormat::Idx && !unpacked.hasIdx &&
                   sameStem(thisPath, entryPath)) {
            if (!reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize,
                                unpacked.idxData)) {
                return false;
            }
            unpacked.hasIdx = true;
        }
        return !(unpacked.found && (!wantsIdx || unpacked.hasIdx));
    });
    if (!walk.walkFile(path)) {
        unpackPlainFile(path, unpacked);
    }
    return unpacked;
}

}  // namespace vantrel
