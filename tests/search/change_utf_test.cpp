#include "search/change_utf.h"
#include "search/site_urls.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QString fromUnits(std::initializer_list<char16_t> units) {
    QString text;
    for (const char16_t unit : units) {
        text += QChar(unit);
    }
    return text;
}

TEST(ChangeUtf, EncodesTheSitesExamples) {
    EXPECT_EQ(ChangeUtf(QStringLiteral("阿凡达")), QStringLiteral("%E9%98%BF%E5%87%A1%E8%BE%BE"));
    EXPECT_EQ(ChangeUtf(QStringLiteral("哈利·波特")),
              QStringLiteral("%E5%93%88%E5%88%A9%C2%B7%E6%B3%A2%E7%89%B9"));
    EXPECT_EQ(ChangeUtf(QStringLiteral("é")), QStringLiteral("%C3%A9"));
    EXPECT_EQ(ChangeUtf(QString()), QString());
}

TEST(ChangeUtf, LeavesEveryAsciiCharacterAlone) {
    QString ascii;
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        ascii += QChar(unit);
    }
    EXPECT_EQ(ChangeUtf(ascii), ascii);
    EXPECT_EQ(ChangeUtf(QStringLiteral("   ")), QStringLiteral("   "));
    EXPECT_EQ(ChangeUtf(QStringLiteral("100% a&b?c#d+e/f:g")),
              QStringLiteral("100% a&b?c#d+e/f:g"));
}

TEST(ChangeUtf, SwitchesFormAtTheUtf8Boundaries) {
    EXPECT_EQ(ChangeUtf(fromUnits({0x80})), QStringLiteral("%C2%80"));
    EXPECT_EQ(ChangeUtf(fromUnits({0x7FF})), QStringLiteral("%DF%BF"));
    EXPECT_EQ(ChangeUtf(fromUnits({0x800})), QStringLiteral("%E0%A0%80"));
    EXPECT_EQ(ChangeUtf(fromUnits({0xFFFF})), QStringLiteral("%EF%BF%BF"));
}

TEST(ChangeUtf, EncodesEachSurrogateOnItsOwnAndKeepsOrder) {
    EXPECT_EQ(ChangeUtf(QString::fromUcs4(U"\U0001F600")), QStringLiteral("%ED%A0%BD%ED%B8%80"));
    EXPECT_EQ(ChangeUtf(QStringLiteral("Top 阿Gun凡")),
              QStringLiteral("Top %E9%98%BFGun%E5%87%A1"));
}

TEST(SiteUrls, SearchKeywordEscapesOnlyWhatWouldChangeTheUrl) {
    // keyword as typed -> keyword part of the search URL (ChangeUtf after the escape)
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("C#"), QStringLiteral("C%23")},
        {QStringLiteral("a?b"), QStringLiteral("a%3Fb")},
        {QStringLiteral("100%"), QStringLiteral("100%25")},
        {QStringLiteral("%E9"), QStringLiteral("%25E9")},  // looks like an escape, is not one
        {QStringLiteral("../x"), QStringLiteral("..%2Fx")},
        {QStringLiteral("a\\b"), QStringLiteral("a%5Cb")},
        {QStringLiteral("阿#凡?"), QStringLiteral("%E9%98%BF%23%E5%87%A1%3F")},
        {QStringLiteral("Top Gun & co+:2;=@!$'()*,~`\"<>[]{}|^"),
         QStringLiteral("Top Gun & co+:2;=@!$'()*,~`\"<>[]{}|^")},
        {QString(), QString()},
    };
    for (const auto& [keyword, expected] : cases) {
        EXPECT_EQ(ChangeUtf(escapeUrlStructure(keyword)), expected) << keyword.toStdString();
    }
}

TEST(SiteUrls, BuildsSearchFileAndPagedAddresses) {
    EXPECT_EQ(searchAddress(QStringLiteral("example.org:81")),
              QStringLiteral("http://example.org:81/search/sub:"));
    EXPECT_EQ(fileAddress(QStringLiteral("h")), QStringLiteral("http://h/xml/file/"));
    EXPECT_EQ(pagedUrl(QStringLiteral("u"), 6), QStringLiteral("u?page=6"));
    EXPECT_EQ(pagedUrl(QStringLiteral("u"), -3), QStringLiteral("u?page=-3"));
}

}  // namespace
}  // namespace vantrel
