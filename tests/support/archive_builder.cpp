#include "support/archive_builder.h"

#include "archive/utf8_thread_locale.h"

#include <QFile>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <optional>
#include <stdexcept>

namespace vantrel::test {
namespace {

void check(struct archive* archive, int status) {
    if (status < ARCHIVE_WARN) {
        throw std::runtime_error(archive_error_string(archive));
    }
}

void setFormat(struct archive* archive, TestFormat format) {
    switch (format) {
        case TestFormat::Zip:
            check(archive, archive_write_set_format_zip(archive));
            break;
        case TestFormat::SevenZip:
            check(archive, archive_write_set_format_7zip(archive));
            break;
        case TestFormat::Tar:
        case TestFormat::TarGz:
        case TestFormat::TarXz:
            check(archive, archive_write_set_format_pax_restricted(archive));
            break;
    }
    if (format == TestFormat::TarGz) {
        check(archive, archive_write_add_filter_gzip(archive));
    } else if (format == TestFormat::TarXz) {
        check(archive, archive_write_add_filter_xz(archive));
    }
}

}  // namespace

void writeArchive(const QString& path, TestFormat format, const std::vector<TestEntry>& entries,
                  TestArchiveOptions options) {
    // The zip writer flags names as UTF-8 under a UTF-8 locale and writes them as they are,
    // unflagged, under "C" (the tests' own locale).
    std::optional<Utf8ThreadLocale> utf8;
    if (options.utf8Names) {
        utf8.emplace();
    }
    const std::unique_ptr<struct archive, int (*)(struct archive*)> writer(archive_write_new(),
                                                                           archive_write_free);
    setFormat(writer.get(), format);
    if (options.encrypted) {
        check(writer.get(), archive_write_set_options(writer.get(), "zip:encryption=zipcrypt"));
        check(writer.get(), archive_write_set_passphrase(writer.get(), "secret"));
    }
    check(writer.get(), archive_write_open_filename(writer.get(), QFile::encodeName(path)));
    for (const TestEntry& entry : entries) {
        const std::unique_ptr<archive_entry, void (*)(archive_entry*)> header(archive_entry_new(),
                                                                              archive_entry_free);
        archive_entry_set_pathname(header.get(), entry.name.constData());
        archive_entry_set_perm(header.get(), 0644);
        archive_entry_set_mtime(header.get(), 1700000000, 0);
        switch (entry.kind) {
            case TestEntry::Kind::File:
                archive_entry_set_filetype(header.get(), AE_IFREG);
                archive_entry_set_size(header.get(), entry.data.size());
                break;
            case TestEntry::Kind::Symlink:
                archive_entry_set_filetype(header.get(), AE_IFLNK);
                archive_entry_set_symlink(header.get(), entry.data.constData());
                break;
            case TestEntry::Kind::Folder:
                archive_entry_set_filetype(header.get(), AE_IFDIR);
                break;
        }
        check(writer.get(), archive_write_header(writer.get(), header.get()));
        if (entry.kind == TestEntry::Kind::File && !entry.data.isEmpty()) {
            const la_ssize_t written =
                archive_write_data(writer.get(), entry.data.constData(), entry.data.size());
            check(writer.get(), written < 0 ? ARCHIVE_FATAL : ARCHIVE_OK);
        }
    }
    check(writer.get(), archive_write_close(writer.get()));
}

QByteArray archiveBytes(TestFormat format, const std::vector<TestEntry>& entries) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("archive"));
    writeArchive(path, format, entries);
    return readFile(path);
}

QByteArray tarDeclaring(QByteArray tar, const QByteArray& name, qint64 size) {
    constexpr qsizetype kBlock = 512, kSize = 124, kChecksum = 148;  // ustar header fields
    const qsizetype header = tar.indexOf(name + '\0');
    if (header < 0 || header % kBlock != 0) {
        throw std::runtime_error("no header for " + name.toStdString());
    }
    tar.truncate(header + kBlock);
    tar.replace(header + kSize, 12, QByteArray::number(size, 8).rightJustified(11, '0') + '\0');
    tar.replace(header + kChecksum, 8, QByteArray(8, ' '));
    int sum = 0;
    for (qsizetype i = header; i < tar.size(); ++i) {
        sum += static_cast<unsigned char>(tar[i]);
    }
    tar.replace(header + kChecksum, 8,
                QByteArray::number(sum, 8).rightJustified(6, '0') + '\0' + ' ');
    return tar;
}

void writeFile(const QString& path, const QByteArray& data) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vantrel::test
