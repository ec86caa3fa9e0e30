#include "results/record_pieces.h"
#include "results/file_url.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

std::vector<QString> split(const QString& page) {
    std::vector<QString> out;
    for (const QStringView piece : splitAtRecordMarkers(page)) {
        out.push_back(piece.toString());
    }
    return out;
}

TEST(RecordPieces, SplitsAtEveryMarkerAndKeepsTheTail) {
    EXPECT_TRUE(split(QString()).empty());
    EXPECT_EQ(split(QStringLiteral("no records")), std::vector<QString>{"no records"});
    EXPECT_EQ(split(QStringLiteral("a</subrief>PowerByQXTb</subrief>PowerByQXT")),
              (std::vector<QString>{"a</subrief>", "b</subrief>", ""}));
    // Another letter case is no marker.
    EXPECT_EQ(split(QStringLiteral("x</subrief>powerbyqxt")).size(), 1u);
}

TEST(RecordPieces, CutsAPieceBackToItsOpeningTag) {
    EXPECT_EQ(cutToRecordStart(u"<?xml version=\"1.0\"?><list>\r\n<subrief>r</subrief>"),
              QStringView(u"<subrief>r</subrief>"));
    EXPECT_EQ(cutToRecordStart(u"\n<subrief>r</subrief>"), QStringView(u"<subrief>r</subrief>"));
    EXPECT_EQ(cutToRecordStart(u"<subrief><subrief>"), QStringView(u"<subrief><subrief>"));
    // Capitals are not the tag; a piece without one stays whole.
    EXPECT_EQ(cutToRecordStart(u"<SUBRIEF>r</subrief>"), QStringView(u"<SUBRIEF>r</subrief>"));
}

TEST(SubtitleFileUrl, TakesThreeCharactersOfASixCharacterIdAndTwoOfOthers) {
    const QString host = QStringLiteral("h:1");
    EXPECT_EQ(subtitleFileUrl(host, QStringLiteral("abcdef")),
              QStringLiteral("http://h:1/xml/file/abc/abcdef.xml"));
    EXPECT_EQ(subtitleFileUrl(host, QStringLiteral("abcde")),
              QStringLiteral("http://h:1/xml/file/ab/abcde.xml"));
    EXPECT_EQ(subtitleFileUrl(host, QStringLiteral("abcdefg")),
              QStringLiteral("http://h:1/xml/file/ab/abcdefg.xml"));
    EXPECT_EQ(subtitleFileUrl(host, QStringLiteral("a")),
              QStringLiteral("http://h:1/xml/file/a/a.xml"));
    EXPECT_EQ(subtitleFileUrl(host, QString()), QStringLiteral("http://h:1/xml/file//.xml"));
    EXPECT_EQ(subtitleFileUrl(host, QStringLiteral(" ")),
              QStringLiteral("http://h:1/xml/file/ / .xml"));
}

}  // namespace
}  // namespace vantrel
