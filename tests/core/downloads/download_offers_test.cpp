// Which new file of the download folder is offered, and when: only subtitles that appeared or
// changed after the watch started, once they have settled, once each, within the 30 minutes.
#include "downloads/download_offers.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

struct Look {
    qint64 atMs;  // since start()
    std::vector<FolderFile> folder;
    QString offered;  // empty: nothing
};

struct OfferCase {
    const char* name;
    std::vector<FolderFile> atStart;
    std::vector<Look> looks;
};

const QDateTime kStart = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
constexpr qint64 kMinutes = 60'000;

FolderFile file(const QString& name, qint64 size, qint64 modifiedMs = 0) {
    return FolderFile{name, size, kStart.addMSecs(modifiedMs)};
}

class DownloadOffersTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(DownloadOffersTest, OffersWhatSettledAfterTheStart) {
    DownloadOffers offers;
    offers.start(GetParam().atStart, kStart);
    for (const Look& look : GetParam().looks) {
        const std::optional<QString> offered = offers.look(look.folder, kStart.addMSecs(look.atMs));
        EXPECT_EQ(offered.value_or(QString()), look.offered) << "at " << look.atMs << " ms";
    }
}

const std::vector<FolderFile> kOld = {file(u"old.zip"_s, 5), file(u"film.mkv"_s, 9)};

INSTANTIATE_TEST_SUITE_P(
    Folder, DownloadOffersTest,
    ::testing::Values(
        OfferCase{"NewArchiveOnceSettledAndOnce",
                  kOld,
                  {{0, {kOld[0], file(u"新.zip"_s, 10)}, {}},
                   {500, {kOld[0], file(u"新.zip"_s, 10)}, {}},
                   {1500, {kOld[0], file(u"新.zip"_s, 10)}, u"新.zip"_s},
                   {3000, {kOld[0], file(u"新.zip"_s, 10)}, {}}}},
        OfferCase{"GrowingFileWaits",
                  {},
                  {{0, {file(u"a.srt"_s, 10)}, {}},
                   {1100, {file(u"a.srt"_s, 20, 1100)}, {}},
                   {2200, {file(u"a.srt"_s, 20, 1100)}, u"a.srt"_s}}},
        OfferCase{"PartFilesWaitUntilRenamed",
                  {},
                  {{0, {file(u"a.rar"_s, 0), file(u"a.rar.part"_s, 10)}, {}},
                   {1500, {file(u"a.rar"_s, 0), file(u"a.rar.part"_s, 10)}, {}},
                   {1600, {file(u"a.rar"_s, 10)}, {}},
                   {2700, {file(u"a.rar"_s, 10)}, u"a.rar"_s}}},
        OfferCase{"ChromiumPartFileAndEmptyFileWait",
                  {},
                  {{0, {file(u"Unconfirmed 1.crdownload"_s, 10), file(u"b.7z"_s, 0)}, {}},
                   {1500, {file(u"Unconfirmed 1.crdownload"_s, 10), file(u"b.7z"_s, 0)}, {}}}},
        OfferCase{"EmptyFileWrittenInPlace",
                  {},
                  {{0, {file(u"a.srt"_s, 0)}, {}},
                   {1500, {file(u"a.srt"_s, 0)}, {}},
                   {2000, {file(u"a.srt"_s, 10, 2000)}, {}},
                   {3000, {file(u"a.srt"_s, 10, 2000)}, u"a.srt"_s}}},
        OfferCase{"OldFileDownloadedAgainIsOffered",
                  kOld,
                  {{0, {file(u"old.zip"_s, 7, 10)}, {}},
                   {1500, {file(u"old.zip"_s, 7, 10)}, u"old.zip"_s}}},
        OfferCase{"NotASubtitle",
                  {},
                  {{0, {file(u"b.mkv"_s, 10), file(u"b.txt"_s, 1)}, {}},
                   {1500, {file(u"b.mkv"_s, 10), file(u"b.txt"_s, 1)}, {}}}},
        OfferCase{"NewestOfTwo",
                  {},
                  {{0, {file(u"a.zip"_s, 1, 5), file(u"b.zip"_s, 1, 9)}, {}},
                   {1500, {file(u"a.zip"_s, 1, 5), file(u"b.zip"_s, 1, 9)}, u"b.zip"_s}}},
        OfferCase{"NothingAfterThirtyMinutes",
                  {},
                  {{30 * kMinutes, {file(u"a.zip"_s, 1)}, {}},
                   {30 * kMinutes + 1500, {file(u"a.zip"_s, 1)}, {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DownloadOffers, StartingAgainRenewsTheWatchAndKeepsWhatWasThere) {
    DownloadOffers offers;
    offers.start({}, kStart);
    ASSERT_FALSE(offers.look({file(u"a.zip"_s, 1)}, kStart));
    offers.start({file(u"a.zip"_s, 1)}, kStart.addMSecs(29 * kMinutes));  // a.zip is still new
    EXPECT_TRUE(offers.watching(kStart.addMSecs(58 * kMinutes)));
    EXPECT_EQ(offers.look({file(u"a.zip"_s, 1)}, kStart.addMSecs(58 * kMinutes)), u"a.zip"_s);
    EXPECT_FALSE(offers.watching(kStart.addMSecs(59 * kMinutes)));
}

TEST(DownloadOffers, AnEmptyFileIsLookedAtForAWhileThenLeftUntilItChanges) {
    DownloadOffers offers;
    offers.start({}, kStart);
    for (const qint64 ms : {qint64{0}, DownloadOffers::kEmptyWaitMilliseconds}) {
        offers.look({file(u"a.srt"_s, 0)}, kStart.addMSecs(ms));
    }
    EXPECT_FALSE(offers.settling());
    ASSERT_FALSE(offers.look({file(u"a.srt"_s, 9, 1)}, kStart.addMSecs(40'000)));
    EXPECT_EQ(offers.look({file(u"a.srt"_s, 9, 1)}, kStart.addMSecs(41'000)), u"a.srt"_s);
}

}  // namespace
}  // namespace vantrel
