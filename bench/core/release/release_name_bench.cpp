// Reading a keyword from a mix of release names: Western scene names, Chinese names with site
// prefixes and tags, and paths whose file name leaves the title to a folder.
#include "release/release_name.h"

#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QStringList mixedNames() {
    const char* const names[] = {
        "长安三万里.Chang.An.2023.2160p.WEB-DL.H265.DDP5.1-OurTV.mkv",
        "[釜山行].Train.to.Busan.2016.KOREAN.1080p.BluRay.x264.mkv",
        "Leon.1994.这个杀手不太冷.中英字幕.BD-720P.mkv",
        "蜘蛛侠：纵横宇宙.Spider-Man.Across.the.Spider-Verse.2023.1080p.WEB-DL.mkv",
        "[BT天堂www.bttt99.com]英雄.BD.1080p.国语中字.mp4",
        "2012.2009.1080p.BluRay.x264.mkv",
        "/home/user/Videos/Blade Runner (1982)/movie.mkv",
        "The.Grand.Budapest.Hotel.2014.720p.BluRay.x264-SPARKS.mkv",
        "【高清影视之家发布 "
        "www.HDBTHD.com】满江红[国语配音+中文字幕].Full.River.Red.2023.2160p.WEB-DL.H265.AAC-"
        "DreamHD.mkv",
        "阳光电影www.ygdy8.com.流浪地球2.HD.1080p.国语中字.mkv",
        "Oppenheimer.2023.IMAX.2160p.UHD.BluRay.REMUX.DV.HDR10+.TrueHD.7.1.Atmos-FGT.mkv",
        "Movie Name 2010 1080p WEB-DL DD5.1 H264-FGT.mkv",
        "Some Film (2012) [1080p] [BluRay] [5.1] [YTS.MX].mp4",
        "/mnt/nas/Some.Film.2012.1080p.BluRay/BDMV/STREAM/00001.m2ts",
        "無間道.Infernal.Affairs.2002.粵語中字.1080p.BluRay.mkv",
        "Blade.Runner.2049.2017.2160p.UHD.BluRay.X265.10bit.HDR.TrueHD.7.1.Atmos-TERMiNAL.mkv",
        "Top.Gun.Maverick.2022.1080p.AMZN.WEB-DL.DDP5.1.H.264-CMRG.mkv",
        "[电影天堂www.dytt89.com]长津湖-2021_HD国语中字.mp4",
        "the.matrix.1999.1080p.bluray.x264-group.mkv",
        "/srv/下载/电影/霸王别姬 (1993)/video.mp4",
    };
    QStringList list;
    for (const char* name : names) {
        list.append(QString::fromUtf8(name));
    }
    return list;
}

void BM_ParseReleaseName(benchmark::State& state) {
    const QStringList names = mixedNames();
    for (auto _ : state) {
        for (const QString& name : names) {
            vantrel::ReleaseName parsed = vantrel::parseReleaseName(name);
            benchmark::DoNotOptimize(parsed);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * names.size());
    // Time per name, the figure the 20 µs budget is about.
    state.counters["per_name"] = benchmark::Counter(
        static_cast<double>(names.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ParseReleaseName)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
