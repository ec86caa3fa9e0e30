#pragma once

// Archives made for the tests with libarchive's writer: names as raw bytes (so GBK without the
// UTF-8 flag), links, encrypted entries, archives inside archives.
#include <QByteArray>
#include <QString>

#include <vector>

namespace vantrel::test {

struct TestEntry {
    QByteArray name;  // raw bytes as the archive stores them
    QByteArray data;
    enum class Kind { File, Symlink, Folder } kind = Kind::File;
};

enum class TestFormat { Zip, SevenZip, Tar, TarGz, TarXz };

struct TestArchiveOptions {
    // Names written as UTF-8 (and so flagged in a zip), else as the raw bytes given, unflagged.
    bool utf8Names = true;
    bool encrypted = false;  // every entry, zip only
};

void writeArchive(const QString& path, TestFormat format, const std::vector<TestEntry>& entries,
                  TestArchiveOptions options = {});
QByteArray archiveBytes(TestFormat format, const std::vector<TestEntry>& entries);
// `tar` (TestFormat::Tar) cut after the header of entry `name`, which now declares `size` bytes:
// an archive that would unpack to far more than the test can afford to write.
QByteArray tarDeclaring(QByteArray tar, const QByteArray& name, qint64 size);

void writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);

}  // namespace vantrel::test
