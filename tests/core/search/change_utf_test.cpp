// The keyword as the site's search path carries it, and the site's addresses.
#include "search/change_utf.h"
#include "search/site_urls.h"

#include "support/qt_printing.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

TEST(ChangeUtf, EncodesEachNonAsciiCodeUnitAsUtf8AndLeavesAsciiAlone) {
    QString ascii;
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        ascii += QChar(unit);
    }
    const std::pair<QString, QString> cases[] = {
        {u"阿凡达"_s, u"%E9%98%BF%E5%87%A1%E8%BE%BE"_s},
        {u"哈利·波特"_s, u"%E5%93%88%E5%88%A9%C2%B7%E6%B3%A2%E7%89%B9"_s},
        {u"Top 阿Gun凡"_s, u"Top %E9%98%BFGun%E5%87%A1"_s},
        {ascii, ascii},  // up to U+007F, blanks and '%' included
        {QString(), QString()},
        {QString(QChar(0x80)), u"%C2%80"_s},
        {QString(QChar(0x7FF)), u"%DF%BF"_s},
        {QString(QChar(0x800)), u"%E0%A0%80"_s},
        {QString(QChar(0xFFFF)), u"%EF%BF%BF"_s},
        {QString::fromUcs4(U"\U0001F600"), u"%ED%A0%BD%ED%B8%80"_s},  // each surrogate alone
    };
    for (const auto& [text, encoded] : cases) {
        EXPECT_EQ(ChangeUtf(text), encoded);
    }
}

TEST(SiteUrls, EscapeOnlyWhatWouldChangeTheSearchUrlAndBuildTheAddresses) {
    // keyword as typed -> keyword part of the search URL (ChangeUtf after the escape)
    const std::pair<QString, QString> cases[] = {
        {u"100%"_s, u"100%25"_s},
        {u"%E9"_s, u"%25E9"_s},  // looks like an escape, is not one
        {u"../x"_s, u"..%2Fx"_s},
        {u"a\\b"_s, u"a%5Cb"_s},
        {u"阿#凡?"_s, u"%E9%98%BF%23%E5%87%A1%3F"_s},
        {u"Top Gun & co+:2;=@!$'()*,~`\"<>[]{}|^"_s, u"Top Gun & co+:2;=@!$'()*,~`\"<>[]{}|^"_s},
        {QString(), QString()},
    };
    for (const auto& [keyword, expected] : cases) {
        EXPECT_EQ(ChangeUtf(escapeUrlStructure(keyword)), expected);
    }
    EXPECT_EQ((QStringList{searchAddress(u"example.org:81"_s), fileAddress(u"h"_s),
                           pagedUrl(u"u"_s, 6), pagedUrl(u"u"_s, -3)}),
              (QStringList{u"http://example.org:81/search/sub:"_s, u"http://h/xml/file/"_s,
                           u"u?page=6"_s, u"u?page=-3"_s}));
}

}  // namespace
}  // namespace vantrel
