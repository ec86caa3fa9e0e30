#include "platform/xml_record_set.h"
#include "platform/xml_document.h"
#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

std::vector<XmlSelector> selectors() {
    return {XmlSelector::parse(u"//id"), XmlSelector::parse(u"//name")};
}

bool loadTogether(XmlRecordSet& set, const std::vector<QString>& records) {
    const std::vector<QStringView> views(records.begin(), records.end());
    return set.load(views, "rec", selectors());
}

TEST(XmlRecordSet, AnswersEachRecordAsLoadingItAloneWould) {
    const std::vector<QString> records{
        QStringLiteral("<rec><id>1</id><name>a &amp; b</name></rec>"),
        QStringLiteral("<rec><x><name>deep</name></x><id>2</id><id>3</id></rec>"),
        QStringLiteral("<rec><!-- no fields --></rec>"),
        QStringLiteral("<rec><name><![CDATA[ c ]]>\n  <b>d</b></name></rec>"),
    };
    XmlRecordSet set;
    ASSERT_TRUE(loadTogether(set, records));
    const std::vector<XmlSelector> wanted = selectors();
    for (size_t r = 0; r < records.size(); ++r) {
        XmlDocument alone;
        ASSERT_TRUE(alone.loadXML(records[r]));
        for (size_t s = 0; s < wanted.size(); ++s) {
            const XmlNodeList expected = alone.selectNodes(wanted[s]);
            const XmlNodeList actual = set.selectNodes(r, s);
            ASSERT_EQ(actual.length(), expected.length()) << r << "/" << s;
            for (int i = 0; i < expected.length(); ++i) {
                EXPECT_EQ(actual.item(i).text(), expected.item(i).text()) << r << "/" << s;
            }
        }
    }
}

TEST(XmlRecordSet, DeclinesWhenARecordWouldNotLoadAlone) {
    const std::vector<std::vector<QString>> declined{
        // A record that is broken on its own.
        {QStringLiteral("<rec><id>1</id></rec>"), QStringLiteral("<rec><id></rec>")},
        {QStringLiteral("<rec>&nbsp;</rec>")},
        // Constructs that would join two broken records into one well-formed text.
        {QStringLiteral("<rec><![CDATA[</rec>"), QStringLiteral("<rec>]]></rec>")},
        {QStringLiteral("<rec><!--</rec>"), QStringLiteral("<rec>--></rec>")},
        {QStringLiteral("<rec><a t=\"</rec>"), QStringLiteral("<rec>\"/></rec>")},
        // Blanks in a closing tag: three broken records that nest into three elements.
        {QStringLiteral("<rec><id>1</id></rec ><rec></rec>"),
         QStringLiteral("<rec><rec><id>2</id></rec>"), QStringLiteral("<rec></rec ></rec>")},
        // Rules the parser leaves out, on this path too.
        {QStringLiteral("<rec><id>1</id></rec>"), QStringLiteral("<rec a='1' a='2'></rec>")},
        {QStringLiteral("<rec><p:id>1</p:id></rec>")},
        {QStringLiteral("<rec>]]></rec>")},
        {QStringLiteral("<rec><!-- -- --></rec>")},
    };
    for (const std::vector<QString>& records : declined) {
        XmlRecordSet set;
        EXPECT_FALSE(loadTogether(set, records)) << records.front().toStdString();
    }
}

}  // namespace
}  // namespace vantrel
