#include "subtitles/subtitle_archive.h"
#include "subtitles/subtitle_commands.h"
#include "support/archive_builder.h"
#include "support/qt_printing.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::TestEntry;
using test::TestFormat;

const QByteArray kSimplified = "1\n00:00:01,000 --> 00:00:02,000\n这是我们的电影\n";
// The same in GBK.
const QByteArray kSimplifiedGbk =
    "1\n00:00:01,000 --> 00:00:02,000\n\xd5\xe2\xca\xc7\xce\xd2\xc3\xc7\xb5\xc4\xb5\xe7\xd3\xb0\n";
const QByteArray kEnglish = "1\n00:00:01,000 --> 00:00:02,000\nWhat is this thing, you know?\n";

// A download folder with archives, a video folder with the video, and a trash of their own.
class SubtitlePlacing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("videos")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("data")));
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toUtf8());
        test::writeFile(video, {});
    }
    QString archive(const char* name, TestFormat format, const std::vector<TestEntry>& entries,
                    test::TestArchiveOptions options = {}) {
        const QString path = root.filePath(QString::fromUtf8(name));
        test::writeArchive(path, format, entries, options);
        return path;
    }
    QString beside(const char* name) const {
        return root.filePath(QStringLiteral("videos/") + QString::fromUtf8(name));
    }
    QStringList videoFolder() const {
        return QDir(root.filePath(QStringLiteral("videos"))).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir root;
    const QString video = root.filePath(QStringLiteral("videos/Film.2023.1080p.BluRay.mkv"));
};

TEST_F(SubtitlePlacing, ListsTheSubtitlesOfArchivesInsideUpToTwoLevels) {
    const QByteArray deepest = test::archiveBytes(TestFormat::Zip, {{"no.srt", kEnglish}});
    const QByteArray deeper = test::archiveBytes(
        TestFormat::SevenZip, {{"a.eng.srt", kEnglish}, {"deepest.zip", deepest}});
    const QByteArray inner = test::archiveBytes(
        TestFormat::TarGz, {{"Film.2023.720p.cht.ass", "x"}, {"deeper.7z", deeper}});
    const QString path = archive("subs.zip", TestFormat::Zip,
                                 {{"简体/Film.2023.1080p.BluRay.chs.srt", kSimplified},
                                  {"Film.2023.1080p.BluRay.srt", kSimplifiedGbk},
                                  {"link.srt", "x.srt", TestEntry::Kind::Symlink},
                                  {"readme.txt", "x"},
                                  {"inner.tar.gz", inner}});
    const CommandOutput output = listSubtitlesCommand(path, video);
    EXPECT_EQ(output.exitCode, subtitle_exit::kPlaced) << output.error.toStdString();
    EXPECT_EQ(output.out,
              u"1\t简体\tsrt\t简体/Film.2023.1080p.BluRay.chs.srt\n"
              u"1\t简体\tsrt\tFilm.2023.1080p.BluRay.srt\n"
              u"3\t繁体\tass\tinner.tar.gz/Film.2023.720p.cht.ass\n"
              u"4\t英文\tsrt\tinner.tar.gz/deeper.7z/a.eng.srt\n");
}

TEST_F(SubtitlePlacing, WritesOnlyBesideTheVideoUnderItsName) {
    const QString path =
        archive("subs.zip", TestFormat::Zip,
                {{"../Film.2023.1080p.BluRay.srt", kSimplifiedGbk}, {"/etc/passwd.srt", kEnglish}});
    const QByteArray before = test::readFile(path);
    const CommandOutput output = placeSubtitleCommand(path, video, std::nullopt, false);
    EXPECT_EQ(output.out, beside("Film.2023.1080p.BluRay.zh.srt") + u'\n')
        << output.error.toStdString();
    EXPECT_EQ(test::readFile(beside("Film.2023.1080p.BluRay.zh.srt")), kSimplified);
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files), QStringList({QStringLiteral("subs.zip")}));
    const CommandOutput english =
        placeSubtitleCommand(path, video, QStringLiteral("/etc/passwd.srt"), false);
    EXPECT_EQ(english.out, beside("Film.2023.1080p.BluRay.en.srt") + u'\n')
        << english.error.toStdString();
    EXPECT_EQ(videoFolder(), QStringList({QStringLiteral("Film.2023.1080p.BluRay.en.srt"),
                                          QStringLiteral("Film.2023.1080p.BluRay.mkv"),
                                          QStringLiteral("Film.2023.1080p.BluRay.zh.srt")}));
    EXPECT_EQ(test::readFile(path), before);
}

TEST_F(SubtitlePlacing, NeverOverwritesAndReplacesThroughTheTrash) {
    const QString path = archive("subs.zip", TestFormat::Zip, {{"Film.chs.srt", kSimplified}});
    const QString target = beside("Film.2023.1080p.BluRay.zh.srt");
    test::writeFile(target, "old");
    const CommandOutput refused = placeSubtitleCommand(path, video, std::nullopt, false);
    EXPECT_EQ(refused.exitCode, subtitle_exit::kRefused);
    EXPECT_EQ(refused.error, u"视频旁已有同名字幕：Film.2023.1080p.BluRay.zh.srt\n");
    EXPECT_EQ(test::readFile(target), "old");

    EXPECT_EQ(placeSubtitleCommand(path, video, std::nullopt, true).exitCode,
              subtitle_exit::kPlaced);
    EXPECT_EQ(test::readFile(target), kSimplified);
    EXPECT_EQ(test::readFile(
                  root.filePath(QStringLiteral("data/Trash/files/Film.2023.1080p.BluRay.zh.srt"))),
              "old");

    // Where no trash can be found the old file stays and nothing is written (the desktop's
    // trash code would have moved it under the working folder).
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.path()));
    qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("none")).toUtf8());
    const CommandOutput noTrash = placeSubtitleCommand(path, video, std::nullopt, true);
    QDir::setCurrent(working);
    EXPECT_EQ(noTrash.error, u"字幕写入失败：旧字幕无法移到回收站 Film.2023.1080p.BluRay.zh.srt\n");
    EXPECT_EQ(test::readFile(target), kSimplified);
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("files"))));

    // A subtitle file placed onto itself stays as it is, even when replacing.
    test::writeFile(target, kSimplifiedGbk);
    const CommandOutput itself = placeSubtitleCommand(target, video, std::nullopt, true);
    EXPECT_EQ(itself.exitCode, subtitle_exit::kRefused);
    EXPECT_EQ(test::readFile(target), kSimplifiedGbk);
}

TEST_F(SubtitlePlacing, CopiesAVobSubPairUnchanged) {
    const QByteArray idx = "# VobSub index file, v7\nid: zh, index: 0\n";
    const QByteArray sub("\x00\x00\x01\xba\x44\x00\x04\x00\x04\x01", 10);
    const QString path =
        archive("vobsub.7z", TestFormat::SevenZip, {{"Film.idx", idx}, {"Film.sub", sub}});
    const CommandOutput output = placeSubtitleCommand(path, video, std::nullopt, false);
    EXPECT_EQ(output.out, beside("Film.2023.1080p.BluRay.zh.sub") + u'\n')
        << output.error.toStdString();
    EXPECT_EQ(test::readFile(beside("Film.2023.1080p.BluRay.zh.sub")), sub);
    EXPECT_EQ(test::readFile(beside("Film.2023.1080p.BluRay.zh.idx")), idx);
}

TEST_F(SubtitlePlacing, FailsWithItsCauseAndWritesNothing) {
    struct Case {
        const char* what;
        QString archivePath;
        std::optional<QString> entry;
        int exitCode;
        const char* error;
        QString videoPath;
    };
    const QString zip = archive("subs.zip", TestFormat::Zip,
                                {{"a/Film.chs.srt", kSimplified}, {"b/Film.chs.srt", kSimplified}});
    test::writeFile(root.filePath(QStringLiteral("notes.bin")), "not an archive");
    QFile large(root.filePath(QStringLiteral("large.mkv")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(65 << 20));
    large.close();
    QFile largeZip(root.filePath(QStringLiteral("large.zip")));
    ASSERT_TRUE(QFile::copy(large.fileName(), largeZip.fileName()));
    const Case cases[] = {
        {"tie", zip, std::nullopt, 3,
         "有几个字幕同样合适，请选一个：a/Film.chs.srt、b/Film.chs.srt\n", video},
        {"no such entry", zip, QStringLiteral("c.srt"), 1, "压缩包里没有这个字幕：c.srt\n", video},
        {"video gone", zip, QStringLiteral("a/Film.chs.srt"), 1, "视频文件不在了：",
         beside("gone.mkv")},
        {"video gone, before the tie", zip, std::nullopt, 1, "视频文件不在了：",
         beside("gone.mkv")},
        {"no archive", root.filePath(QStringLiteral("notes.bin")), std::nullopt, 1,
         "不是字幕压缩包或字幕文件：notes.bin\n", video},
        {"a video", large.fileName(), std::nullopt, 1, "不是字幕压缩包或字幕文件：large.mkv\n",
         video},
        {"a large archive", largeZip.fileName(), std::nullopt, 1, "压缩包超过限制：大于 64 MiB\n",
         video},
        {"missing", root.filePath(QStringLiteral("gone.zip")), std::nullopt, 1,
         "无法读取文件：gone.zip\n", video},
        {"no subtitle", archive("readme.zip", TestFormat::Tar, {{"readme.txt", "x"}}), std::nullopt,
         1, "压缩包里没有字幕：readme.zip\n", video},
        {"encrypted",
         archive("secret.zip", TestFormat::Zip, {{"a.srt", kEnglish}, {"b.srt", kEnglish}},
                 {true, true}),
         std::nullopt, 1, "压缩包里的字幕都已加密：a.srt、b.srt\n", video},
        {"bomb", archive("bomb.zip", TestFormat::Zip, {{"bomb.srt", QByteArray(3 << 20, ' ')}}),
         std::nullopt, 1, "压缩包超过限制：bomb.srt 的压缩比大于 200\n", video},
    };
    for (const Case& c : cases) {
        const CommandOutput output =
            placeSubtitleCommand(c.archivePath, c.videoPath, c.entry, false);
        EXPECT_EQ(output.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(output.error.startsWith(QString::fromUtf8(c.error)))
            << c.what << output.error.toStdString();
        EXPECT_EQ(videoFolder(), QStringList({QStringLiteral("Film.2023.1080p.BluRay.mkv")}))
            << c.what;
    }
    // The tie prints the list to choose from.
    EXPECT_EQ(placeSubtitleCommand(zip, video, std::nullopt, false).out.count(u'\n'), 2);
}

TEST_F(SubtitlePlacing, NamesTheEncryptedBesideWhatCanBeRead) {
    const QString inner =
        archive("inner.zip", TestFormat::Zip, {{"secret.srt", kEnglish}}, {true, true});
    const QString path = archive("outer.zip", TestFormat::Zip,
                                 {{"open.srt", kEnglish}, {"inner.zip", test::readFile(inner)}});
    const CommandOutput output = listSubtitlesCommand(path, video);
    EXPECT_EQ(output.out, u"1\t英文\tsrt\topen.srt\n");
    EXPECT_EQ(output.error, u"跳过了加密的字幕：inner.zip/secret.srt\n");
}

}  // namespace
}  // namespace vantrel
