// A subtitle archive listed and a subtitle placed, at the sizes the bounds allow: an archive of
// 64 MiB and 1,000 entries listed, a 20 MB effect-heavy GBK .ass detected and converted, and
// the memory placing one takes above what the process held before.
#include "subtitles/subtitle_archive.h"
#include "subtitles/subtitle_charset.h"
#include "support/archive_builder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <iconv.h>
#include <fstream>
#include <string>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using vantrel::test::TestEntry;
using vantrel::test::TestFormat;

// Common Chinese characters, to make dialogue that packs as loosely as real text does.
const QString kCharacters = QStringLiteral(
    "的一是不了人我在有他这为之大来以个中上们到说国和地也子时道出而要于就下得可你年生自会那后"
    "能对着事其里所去行过家十用发天如然作方成者多日都三小军二无同么经法当起与好看学进种将还分此"
    "心前面又定见只主没公从知全点意明长现问把力电开因理相");

QString dialogue(QRandomGenerator& random, int characters) {
    QString line;
    for (int i = 0; i < characters; ++i) {
        line += kCharacters[random.bounded(kCharacters.size())];
    }
    return line;
}

QByteArray gbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() + 16, '\0');
    iconv_t handle = iconv_open("GBK", "UTF-8");
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    char* to = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    iconv(handle, &in, &inLeft, &to, &outLeft);
    iconv_close(handle);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

// An effect-heavy ASS file of `bytes` in GBK: override tags on every line, a Chinese line and
// an English one.
QByteArray effectHeavyAss(qsizetype bytes) {
    QRandomGenerator random(29);
    QString text = QStringLiteral(
        "[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\nStyle: Default,微软雅黑,20,"
        "&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,2,2,10,10,10,1\n\n"
        "[Events]\n");
    QByteArray out = gbk(text);
    while (out.size() < bytes) {
        QString block;
        for (int i = 0; i < 100; ++i) {
            block += QStringLiteral(
                         "Dialogue: 0,0:01:02.30,0:01:04.50,Default,,0,0,0,,{\\fad(150,150)"
                         "\\blur2\\pos(960,1010)\\c&HF0F0F0&\\3c&H202020&}") +
                     dialogue(random, 14) +
                     QStringLiteral("\\N{\\fs32\\c&HC0C0C0&}And what do you make of it?\n");
        }
        out += gbk(block);
    }
    out.truncate(bytes);
    return out.left(out.lastIndexOf('\n') + 1);
}

// 1,000 subtitles in a zip of just under 64 MiB: release folders, half of them tagged
// with their language, half left to their text.
struct BigArchive {
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("subs.zip"));
    QString video = folder.filePath(QStringLiteral("Film.2023.1080p.BluRay.x264-GRP.mkv"));
    BigArchive() {
        QRandomGenerator random(7);
        std::vector<TestEntry> entries;
        const char* const tags[] = {"chs", "cht", "chs&eng", "eng", "", "", "", ""};
        for (int i = 0; i < 1000; ++i) {
            QString text;
            for (int cue = 1; text.size() < 111000; ++cue) {
                text += QString::number(cue) + QStringLiteral("\n00:00:01,000 --> 00:00:02,000\n") +
                        dialogue(random, 20) + u'\n';
            }
            const QByteArray name = "Film.2023." +
                                    QByteArray(i % 2 ? "1080p.BluRay" : "720p.WEB-DL") + ".part" +
                                    QByteArray::number(i) + "." + tags[i % 8] + ".srt";
            entries.push_back({name, text.toUtf8()});
        }
        vantrel::test::writeArchive(path, TestFormat::Zip, entries);
        vantrel::test::writeFile(video, {});
    }
};

void BM_ListArchive(benchmark::State& state) {
    static const BigArchive archive;
    for (auto _ : state) {
        const vantrel::SubtitleList list = vantrel::listSubtitles(archive.path, archive.video);
        if (list.entries.size() != 1000) {
            state.SkipWithError(list.message.toStdString().c_str());
        }
        benchmark::DoNotOptimize(list);
    }
    state.counters["archive_MiB"] = static_cast<double>(QFile(archive.path).size()) / (1 << 20);
}
BENCHMARK(BM_ListArchive)->Unit(benchmark::kMillisecond);

void BM_ConvertAss(benchmark::State& state) {
    static const QByteArray ass = effectHeavyAss(20'000'000);
    QTemporaryFile out;
    out.open();
    for (auto _ : state) {
        const vantrel::TextWrite result =
            vantrel::writeAsUtf8(ass, vantrel::SubtitleFormat::Ass, out);
        if (result != vantrel::TextWrite::Written) {
            state.SkipWithError("not converted");
        }
    }
    state.SetBytesProcessed(state.iterations() * ass.size());
}
BENCHMARK(BM_ConvertAss)->Unit(benchmark::kMillisecond);

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ':';
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0) {
            return std::stol(line.substr(prefix.size()));
        }
    }
    return -1;
}

// Placing the 20 MB .ass out of a zip: the most a process held while placing, above what it
// held before, against the subtitle's size. Each round places in a child process of its own
// with its high-water mark reset, so that memory an earlier round left with the allocator
// does not hide what this one takes.
void BM_PlaceMemory(benchmark::State& state) {
    const QTemporaryDir folder;
    const QString archivePath = folder.filePath(QStringLiteral("subs.zip"));
    const QString video = folder.filePath(QStringLiteral("Film.mkv"));
    qsizetype size = 0;
    {
        const QByteArray ass = effectHeavyAss(20'000'000);
        size = ass.size();
        vantrel::test::writeArchive(archivePath, TestFormat::Zip, {{"Film.chs.ass", ass}});
    }
    vantrel::test::writeFile(video, {});
    vantrel::SubtitleEntry entry;
    entry.path = QStringLiteral("Film.chs.ass");
    entry.format = QStringLiteral("ass");
    entry.language = vantrel::SubtitleLanguage::Simplified;
    double aboveMiB = 0;
    for (auto _ : state) {
        QFile::remove(folder.filePath(QStringLiteral("Film.zh.ass")));
        int pipe[2];
        if (::pipe(pipe) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        const pid_t child = fork();
        if (child == 0) {
            malloc_trim(0);  // what the allocator keeps from building the archive goes back
            std::ofstream("/proc/self/clear_refs") << "5";
            const long before = statusKiB("VmRSS");
            const vantrel::PlacedSubtitle placed =
                vantrel::placeSubtitle(archivePath, entry, video, false);
            const long above =
                placed.failure == vantrel::SubtitleFailure::None ? statusKiB("VmHWM") - before : -1;
            (void)!write(pipe[1], &above, sizeof above);
            _exit(0);
        }
        long above = -1;
        (void)!read(pipe[0], &above, sizeof above);
        waitpid(child, nullptr, 0);
        close(pipe[0]);
        close(pipe[1]);
        if (above < 0) {
            state.SkipWithError("not placed");
        }
        aboveMiB = static_cast<double>(above) / 1024.0;
    }
    state.counters["subtitle_MiB"] = static_cast<double>(size) / (1 << 20);
    state.counters["peak_above_MiB"] = aboveMiB;
    state.counters["times_subtitle"] = aboveMiB * (1 << 20) / static_cast<double>(size);
}
BENCHMARK(BM_PlaceMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
