#include "platform/xml_document.h"
#include "platform/app_error.h"

#include "support/qt_printing.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QString firstText(const XmlDocument& document, const char16_t* expression) {
    const XmlNodeList nodes = document.selectNodes(XmlSelector::parse(expression));
    return nodes.length() == 0 ? QStringLiteral("<none>") : nodes.item(0).text();
}

TEST(XmlDocument, TextThatIsNotWellFormedLeavesAnEmptyDocument) {
    const char16_t* broken[] = {
        u"<a><b>x</b>",             // unclosed
        u"<a>x</b>",                // mismatched
        u"<a>1</a><a>2</a>",        // two roots
        u"<a>&nbsp;</a>",           // unknown entity
        u"<a t='&foo;'/>",          // unknown entity in an attribute
        u"<a>&#0;</a>",             // reference to a character XML forbids
        u"junk<a>x</a>",            // text before the root
        u"<a>x</a>junk",            // text after the root
        u"<a>x</a>junk<!-- c -->",  // text hidden before a trailing comment
        u"",
        u"   ",
    };
    for (const char16_t* text : broken) {
        XmlDocument document;
        ASSERT_TRUE(document.loadXML(u"<a>keep</a>"));
        EXPECT_FALSE(document.loadXML(text)) << QString::fromUtf16(text).toStdString();
        EXPECT_TRUE(document.isEmpty()) << QString::fromUtf16(text).toStdString();
        EXPECT_EQ(document.selectNodes(XmlSelector::parse(u"//a")).length(), 0);
    }
}

TEST(XmlDocument, AcceptsWellFormedTextWithMarkupAroundTheRoot) {
    const char16_t* good[] = {
        u"<?xml version=\"1.0\" encoding=\"gbk\"?>\n<a>x</a>\n",
        u"<!-- head --><a>x</a><!-- tail --><?pi x?>  ",
        u"<!DOCTYPE a [<!ELEMENT a ANY>]><a>x</a>",
        u"<a>&lt;&amp;&gt;&quot;&apos;&#20013;&#x6587;<![CDATA[&bogus;]]><!-- &x; --></a>",
    };
    for (const char16_t* text : good) {
        XmlDocument document;
        EXPECT_TRUE(document.loadXML(text)) << QString::fromUtf16(text).toStdString();
        EXPECT_FALSE(document.isEmpty());
    }
}

TEST(XmlDocument, NeverExpandsEntitiesDeclaredInADocumentType) {
    XmlDocument document;
    EXPECT_FALSE(document.loadXML(
        u"<!DOCTYPE a [<!ENTITY x \"xxxxxxxxxx\"><!ENTITY y \"&x;&x;&x;&x;&x;\">]><a>&y;</a>"));
    EXPECT_FALSE(document.loadXML(u"<!DOCTYPE a [<!ENTITY f SYSTEM \"/etc/passwd\">]><a>&f;</a>"));
    EXPECT_TRUE(document.isEmpty());
}

TEST(XmlDocument, SelectsEveryElementOfANameAtAnyDepthInDocumentOrder) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXML(
        u"<subrief><x><fileid>deep</fileid></x><fileid>second</fileid><fileid/></subrief>"));
    const XmlNodeList nodes = document.selectNodes(XmlSelector::parse(u"//fileid"));
    ASSERT_EQ(nodes.length(), 3);
    EXPECT_EQ(nodes.item(0).text(), QStringLiteral("deep"));
    EXPECT_EQ(nodes.item(1).text(), QStringLiteral("second"));
    EXPECT_EQ(nodes.item(2).text(), QString());
    EXPECT_EQ(document.selectNodes(XmlSelector::parse(u"//subrief")).length(), 1);
    EXPECT_EQ(document.selectNodes(XmlSelector::parse(u"//FileID")).length(), 0);

    // A new load replaces everything.
    ASSERT_TRUE(document.loadXML(u"<subrief><format>SRT</format></subrief>"));
    EXPECT_EQ(firstText(document, u"//fileid"), QStringLiteral("<none>"));
    EXPECT_EQ(firstText(document, u"//format"), QStringLiteral("SRT"));
}

TEST(XmlDocument, NodeTextJoinsDescendantTextAsTheDomDoes) {
    XmlDocument document;
    ASSERT_TRUE(
        document.loadXML(u"<r>"
                         u"<trim>\n   阿凡达 &amp; 2  \n</trim>"
                         u"<joined><b>one</b>\n   <c>two</c><d>three</d></joined>"
                         u"<inner>a  b</inner>"
                         u"<blank>   \n  </blank>"
                         u"<cdata><![CDATA[  kept <as> is  ]]></cdata>"
                         u"<mixed> x <![CDATA[ y ]]></mixed>"
                         u"</r>"));
    EXPECT_EQ(firstText(document, u"//trim"), QStringLiteral("阿凡达 & 2"));
    EXPECT_EQ(firstText(document, u"//joined"), QStringLiteral("one twothree"));
    EXPECT_EQ(firstText(document, u"//inner"), QStringLiteral("a  b"));
    EXPECT_EQ(firstText(document, u"//blank"), QString());
    EXPECT_EQ(firstText(document, u"//cdata"), QStringLiteral("  kept <as> is  "));
    EXPECT_EQ(firstText(document, u"//mixed"), QStringLiteral("x  y "));
}

TEST(XmlSelector, TakesOnlyTheDescendantNameForm) {
    EXPECT_EQ(XmlSelector::parse(u"//uptime").elementName(), "uptime");
    for (const char16_t* bad : {u"uptime", u"//", u"//a/b", u"//a[1]", u"//@id", u"//*"}) {
        EXPECT_THROW(XmlSelector::parse(bad), AppError);
    }
}

}  // namespace
}  // namespace vantrel
