// Which rows of a page the filter keeps, and the languages it offers.
#include "results/result_filter.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

TEST(ResultFilter, KeepsRowsHoldingEveryWordInAnyWidthOrCaseAndTheLanguageChosen) {
    ResultFilter filter;
    // Name, version, film name, language.
    const QString rows[][4] = {
        {u"Avatar.2009.BluRay.1080p"_s, u"x264"_s, u"阿凡达"_s, u"英文"_s},
        {u"阿凡达 WEB-DL"_s, u"ＷＥＢ－ＤＬ.2160p"_s, u"Avatar: The Way of Water"_s, u"English"_s},
        {u"Avatar"_s, u"HDTV"_s, u" "_s, u"english "_s},
        {u"ｘ"_s, u"y"_s, u" "_s, u" "_s},
        {u"Titanic"_s, u"BluRay"_s, u"泰坦尼克号"_s, u"简体中文"_s},
    };
    for (const auto& row : rows) {
        filter.addRow(row[0], row[1], row[2], row[3]);
    }
    // Commonest first, alike languages as one; a blank one is none.
    EXPECT_EQ(filter.languages(), (QStringList{u"English"_s, u"英文"_s, u"简体中文"_s}));

    const struct {
        QString typed, language, shown;  // one digit a row
    } cases[] = {
        {QString(), QString(), u"11111"_s},
        {u"ＢｌｕＲａｙ"_s, QString(), u"10001"_s},
        {u"avatar 2160P"_s, QString(), u"01000"_s},      // words from two fields
        {u" 阿凡达　AVATAR "_s, QString(), u"11000"_s},  // an ideographic space splits too
        {u"xy"_s, QString(), u"00000"_s},                // no word spans two fields
        {u"英文"_s, QString(), u"00000"_s},              // the language is not searched
        {QString(), u"ＥＮＧＬＩＳＨ"_s, u"01100"_s},
        {u"hdtv"_s, u"English"_s, u"00100"_s},
        {QString(), u"法语"_s, u"00000"_s},  // a language the page lacks
    };
    for (const auto& c : cases) {
        QString shown;
        for (const bool row : filter.shownRows(c.typed, c.language)) {
            shown += row ? u'1' : u'0';
        }
        EXPECT_EQ(shown, c.shown) << c.typed.toStdString() << " / " << c.language.toStdString();
    }
}

}  // namespace
}  // namespace vantrel
