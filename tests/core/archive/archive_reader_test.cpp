#include "archive/archive_reader.h"
#include "archive/entry_name.h"
#include "support/archive_builder.h"
#include "support/qt_printing.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::TestEntry;
using test::TestFormat;

struct ReadEntry {
    QString name;
    bool regularFile;
    QByteArray data;
};

// Every entry of the archive at `path`, regular files with their data.
std::vector<ReadEntry> readAll(const QString& path) {
    ArchiveBudget budget;
    ArchiveReader reader(openFileSource(path), budget);
    std::vector<ReadEntry> entries;
    while (reader.next()) {
        ReadEntry entry{reader.entry().name, reader.entry().regularFile, {}};
        if (entry.regularFile) {
            EXPECT_TRUE(reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize,
                                       entry.data));
        }
        entries.push_back(entry);
    }
    EXPECT_EQ(reader.failure(), ArchiveFailure::None);
    return entries;
}

TEST(ArchiveReader, ReadsEveryFormatWithItsNamesAndData) {
    const QTemporaryDir folder;
    for (const TestFormat format : {TestFormat::Zip, TestFormat::SevenZip, TestFormat::Tar,
                                    TestFormat::TarGz, TestFormat::TarXz}) {
        const QString path = folder.filePath(QString::number(static_cast<int>(format)));
        test::writeArchive(path, format,
                           {{"简体/电影.srt", "1\n"},
                            {"link.srt", "电影.srt", TestEntry::Kind::Symlink},
                            {"folder.srt", {}, TestEntry::Kind::Folder},
                            {"readme.txt", QByteArray(100000, 'x')}});
        QStringList regular;
        for (const ReadEntry& entry : readAll(path)) {
            if (entry.regularFile) {
                regular << entry.name + u'=' + QString::number(entry.data.size());
            }
        }
        // 7z keeps its folders for the end.
        EXPECT_EQ(regular.join(u' '), u"简体/电影.srt=2 readme.txt=100000")
            << static_cast<int>(format);
    }
}

TEST(ArchiveReader, DecodesNamesWrittenWithoutTheUtf8Flag) {
    struct Case {
        QByteArray raw;
        QString expected;
    };
    const Case cases[] = {
        {"\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4\xd7\xd6\xc4\xbb.srt",
         QStringLiteral("简体中文字幕.srt")},
        {"\xc1\x63\xc5\xe9\xa4\xa4\xa4\xe5\xa6\x72\xb9\xf5.srt",
         QStringLiteral("繁體中文字幕.srt")},
        {"\xe7\xae\x80\xe4\xbd\x93.srt", QStringLiteral("简体.srt")},
        {"caf\xe9\xff.srt", QStringLiteral("caf\uFFFD\uFFFD.srt")},
    };
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("names.zip"));
    std::vector<TestEntry> entries;
    for (const Case& c : cases) {
        entries.push_back({c.raw, "x"});
    }
    test::writeArchive(path, TestFormat::Zip, entries, {false, false});
    const std::vector<ReadEntry> read = readAll(path);
    ASSERT_EQ(read.size(), std::size(cases));
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].name, cases[i].expected);
    }
    EXPECT_EQ(decodeEntryName("a\tb\nc\x7f"), QStringLiteral("a\uFFFDb\uFFFDc\uFFFD"));
    EXPECT_EQ(decodeEntryName("././简体/a.srt"), QStringLiteral("简体/a.srt"));
}

// Subtitle lines of some variety, `size` bytes or a little more.
QByteArray ordinaryText(qint64 size) {
    QByteArray text;
    for (int i = 0; text.size() < size; ++i) {
        text += "Dialogue: 0,0:00:0" + QByteArray::number(i % 10) + ".00,Default,,line " +
                QByteArray::number(i * 7919 % 100003) + "\n";
    }
    return text;
}

struct LimitCase {
    const char* what;
    std::vector<TestEntry> entries;
    ArchiveLimit limit;
};

TEST(ArchiveReader, StopsAtEachBound) {
    std::vector<TestEntry> many(archive_limits::kEntries + 1, TestEntry{"a.txt", "x"});
    const LimitCase cases[] = {
        {"entries", many, ArchiveLimit::Entries},
        {"a bomb", {{"bomb.srt", QByteArray(4 * archive_limits::kMiB, '\0')}}, ArchiveLimit::Ratio},
        {"too large",
         {{"big.srt", QByteArray(archive_limits::kSubtitleBytes + 1, 'a')}},
         ArchiveLimit::EntrySize},
    };
    const QTemporaryDir folder;
    for (const LimitCase& c : cases) {
        const QString path = folder.filePath(QString::fromLatin1(c.what));
        test::writeArchive(path, TestFormat::Zip, c.entries);
        ArchiveBudget budget;
        ArchiveReader reader(openFileSource(path), budget);
        QByteArray data;
        while (reader.next() &&
               reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize, data)) {
        }
        EXPECT_EQ(reader.failure(), ArchiveFailure::OverLimit) << c.what;
        EXPECT_EQ(reader.limit(), c.limit) << c.what;
        EXPECT_TRUE(data.isEmpty() || c.limit == ArchiveLimit::Entries) << c.what;
    }
    // An ordinary subtitle of some megabytes packs far less tightly, also when a solid archive
    // holds it twice and the second copy packs to almost nothing.
    const QByteArray text = ordinaryText(3 * archive_limits::kMiB);
    const QString path = folder.filePath(QStringLiteral("ordinary"));
    test::writeArchive(path, TestFormat::Zip, {{"a.ass", text}});
    ASSERT_EQ(readAll(path).at(0).data, text);
    const QByteArray shorter = text.left(archive_limits::kRatioFrom * 3 / 2);
    for (const TestFormat solid : {TestFormat::TarXz, TestFormat::SevenZip}) {
        test::writeArchive(path, solid, {{"chs/a.srt", shorter}, {"eng/a.srt", shorter}});
        const std::vector<ReadEntry> read = readAll(path);
        ASSERT_EQ(read.size(), 2U) << static_cast<int>(solid);
        EXPECT_TRUE(read[1].data == shorter) << static_cast<int>(solid);
    }
}

TEST(ArchiveReader, CountsTheEntriesItSkipsAsUnpacked) {
    struct Case {
        const char* what;
        QByteArray archive;
        qint64 unpackedBefore;  // by the archive this one is inside
        int listed;             // entries next() moves to before it fails, or all of them
        ArchiveFailure failure;
    };
    const QByteArray small = test::archiveBytes(
        TestFormat::TarXz, {{"big.bin", QByteArray(2000, '\0')}, {"Film.chs.srt", "1\n"}});
    const Case cases[] = {
        // The size is refused from the header: the truncated data behind it is never reached.
        {"declared past the bound",
         test::tarDeclaring(
             test::archiveBytes(TestFormat::Tar, {{"Film.chs.srt", "1\n"}, {"big.bin", "x"}}),
             "big.bin", archive_limits::kUnpackedBytes + 1),
         0, 2, ArchiveFailure::OverLimit},
        {"skipped past the bound", small, archive_limits::kUnpackedBytes - 1000, 1,
         ArchiveFailure::OverLimit},
        {"skipped within the bound", small, archive_limits::kUnpackedBytes - 3000, 2,
         ArchiveFailure::None},
    };
    for (const Case& c : cases) {
        ArchiveBudget budget;
        budget.unpacked = c.unpackedBefore;
        ArchiveReader reader(memorySource(c.archive), budget);
        int listed = 0;
        while (reader.next()) {
            ++listed;
        }
        EXPECT_EQ(listed, c.listed) << c.what;
        EXPECT_EQ(reader.failure(), c.failure) << c.what;
        if (c.failure == ArchiveFailure::OverLimit) {
            EXPECT_EQ(reader.limit(), ArchiveLimit::Unpacked) << c.what;
        }
    }
}

TEST(ArchiveReader, CountsWhatArchivesInsideUnpackAgainstOneBound) {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.zip"));
    test::writeArchive(path, TestFormat::Zip, {{"a.srt", QByteArray(100, 'a')}});
    ArchiveBudget budget;
    budget.unpacked = archive_limits::kUnpackedBytes - 99;  // what the outer archive unpacked
    ArchiveReader reader(openFileSource(path), budget);
    QByteArray data;
    ASSERT_TRUE(reader.next());
    EXPECT_FALSE(reader.readAll(archive_limits::kSubtitleBytes, ArchiveLimit::EntrySize, data));
    EXPECT_EQ(reader.limit(), ArchiveLimit::Unpacked);
}

TEST(ArchiveReader, RefusesAnArchiveOverItsSizeBeforeReadingIt) {
    const QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("big.zip")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(archive_limits::kArchiveBytes + 1));
    file.close();
    ArchiveBudget budget;
    ArchiveReader reader(openFileSource(file.fileName()), budget);
    EXPECT_EQ(reader.failure(), ArchiveFailure::OverLimit);
    EXPECT_EQ(reader.limit(), ArchiveLimit::ArchiveSize);
}

}  // namespace
}  // namespace vantrel
