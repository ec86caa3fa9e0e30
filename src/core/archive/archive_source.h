#pragma once

// Where libarchive reads an archive's bytes from: a file or an archive unpacked from another. Both
// hand the bytes out in small blocks and count them, so that the bytes an entry took to unpack
// can be compared with what it unpacked to.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

namespace vantrel {

class ArchiveSource {
public:
    virtual ~ArchiveSource() = default;

    // The next block: its start in `*block` and its size, 0 at the end, -1 on a read error.
    virtual qint64 read(const void** block) = 0;
    // Moves to `offset` from SEEK_SET, SEEK_CUR or SEEK_END; the new position, or -1.
    virtual qint64 seek(qint64 offset, int whence) = 0;
    virtual qint64 size() const = 0;

    // Every byte handed out so far (a byte read twice counts twice).
    qint64 delivered() const { return delivered_; }

protected:
    static constexpr qint64 kBlockBytes = 16 * 1024;
    qint64 delivered_ = 0;
};

// An opened file, or null when it cannot be opened.
std::unique_ptr<ArchiveSource> openFileSource(const QString& path);
std::unique_ptr<ArchiveSource> memorySource(QByteArray bytes);

}  // namespace vantrel
