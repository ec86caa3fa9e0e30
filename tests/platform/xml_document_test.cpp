#include "platform/xml_document.h"
#include "platform/app_error.h"

#include "support/qt_printing.h"
#include "support/xml_oracle.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

QString firstText(const XmlDocument& document, const char16_t* expression) {
    const XmlNodeList nodes = document.selectNodes(XmlSelector::parse(expression));
    return nodes.length() == 0 ? QStringLiteral("<none>") : nodes.item(0).text();
}

// Each rule of XML and of namespaces in XML, broken and kept; the reference parser agrees,
// except where a document type is involved (see hasDocumentType).
TEST(XmlDocument, LoadsEmptyExactlyWhenARuleIsBroken) {
    struct Case {
        QString text;
        bool wellFormed;
    };
    const auto broken = [](const char16_t* text) { return Case{QString::fromUtf16(text), false}; };
    const auto good = [](const char16_t* text) { return Case{QString::fromUtf16(text), true}; };
    const Case cases[] = {
        // Structure, references, text outside the root.
        broken(u"<a><b>x</b>"), broken(u"<a>x</b>"), broken(u"<a>1</a><a>2</a>"), broken(u""),
        broken(u"   "), broken(u"<a>&nbsp;</a>"), broken(u"<a t='&foo;'/>"), broken(u"<a>&#0;</a>"),
        broken(u"junk<a>x</a>"), broken(u"<a>x</a>junk"), broken(u"<a><!--c--></a>junk-->"),
        broken(u"<a/>x"), broken(u"<![CDATA[x]]><a/>"), broken(u"<a/><!DOCTYPE a>"),
        good(u"<a>&lt;&amp;&gt;&quot;&apos;&#20013;&#x6587;&#x000041;<![CDATA[&b;]]></a>"),
        good(u"<!-- head --><a>x</a><!-- tail --><?pi x?>  "),
        // Characters.
        broken(u"<a>\x01</a>"), broken(u"<a b='\x1F'/>"), broken(u"<a>&#1;</a>"),
        broken(u"<a>\xFFFE</a>"), broken(u"<a>&#xFFFF;</a>"), broken(u"<a>&#xD800;</a>"),
        good(u"<a>\t\r\n\uFFFD\U0001F600</a>"),
        // Attributes.
        broken(u"<a b='1' b='2'/>"), broken(u"<a b='<'/>"), broken(u"<a b='&amp;<'/>"),
        broken(u"<a xmlns:p='u' xmlns:q='u' p:b='1' q:b='2'/>"),
        good(u"<a b='1' c='&lt;]]>' p:b='2' xmlns:p='u'/>"),
        // Character data, comments, instructions, the declaration.
        broken(u"<a>]]></a>"), broken(u"<a>x]]>y</a>"), broken(u"<a><!-- a--b --></a>"),
        broken(u"<a><!-- a ---></a>"), broken(u" <?xml version='1.0'?><a/>"),
        broken(u"<!-- c --><?xml version='1.0'?><a/>"), broken(u"<a/><?xml version='1.0'?>"),
        broken(u"<?XML x?><a/>"), broken(u"<a><?xMl x?></a>"), broken(u"<?p:i x?><a/>"),
        broken(u"<?xml version='2.0'?><a/>"), broken(u"<?xml encoding='utf-8'?><a/>"),
        broken(u"<?xml version='1.0' standalone='maybe'?><a/>"),
        good(u"<?xml version=\"1.0\" encoding=\"gbk\" standalone='no' ?>\n<a>]]&gt;<!--->--></a>"),
        good(u"<a><?xml-stylesheet x?><![CDATA[]]]]><![CDATA[>]]></a>"),
        // Namespaces and the reserved prefixes.
        broken(u"<p:a/>"), broken(u"<a p:b='1'/>"), broken(u"<a xmlns:p='u'/><p:b/>"),
        broken(u"<a:b:c xmlns:a='u'/>"), broken(u"<a xmlns:p=''/>"), broken(u"<xmlns:a/>"),
        broken(u"<a xmlns:xml='u'/>"), broken(u"<a xmlns:xmlns='u'/>"),
        broken(u"<a xmlns:p='http://www.w3.org/XML/1998/namespace'/>"),
        broken(u"<a xmlns='http://www.w3.org/2000/xmlns/'/>"), broken(u"<a xmlns:p='a b'/>"),
        broken(u"<a xmlns='\u00E9'/>"), broken(u"<a xmlns='1:x'/>"), broken(u"<a xmlns='//h:/'/>"),
        good(u"<a xmlns='urn:x%20y?q#[f]' xmlns:p='../r;x=1' xmlns:q='//u@[::1]:80/p'/>"),
        good(u"<p:a xmlns:p='u'><p:b xml:lang='en' xmlns=''/></p:a>"),
        // Names, fifth edition.
        broken(u"<a\u00D7/>"), broken(u"<-a/>"), broken(u"<a\u3000b/>"), broken(u"<a \u0300b='1'/>"),
        good(u"<\u4E2D\u6587 \u00C0\u00B7\u0300='1'/>"), good(u"<_a.b-c\u2070 \U00010000='1'/>"),
        // Document types: internal subsets are never read, so they are refused.
        broken(u"<!DOCTYPE a [<!ENTITY x \"y\">]><a>&x;</a>"),
        broken(u"<!DOCTYPE a [<!ELEMENT a ANY>]><a>x</a>"), broken(u"<!DOCTYPEa><a/>"),
        good(u"<!DOCTYPE a PUBLIC \"-//x//y\" 'a.dtd'><a/>"),
    };
    for (const Case& c : cases) {
        const std::string shown = c.text.toStdString();
        XmlDocument document;
        ASSERT_TRUE(document.loadXML(u"<a>keep</a>"));
        EXPECT_EQ(document.loadXML(c.text), c.wellFormed) << shown;
        EXPECT_EQ(document.isEmpty(), !c.wellFormed) << shown;
        if (!test::hasDocumentType(c.text)) {
            EXPECT_EQ(test::oracleFindsWellFormed(c.text), c.wellFormed) << "reference: " << shown;
        }
    }
    // An unpaired surrogate has no UTF-8 form to give the reference.
    XmlDocument document;
    EXPECT_FALSE(document.loadXML(QString::fromUtf16(u"<a>\xD800</a>")));
    EXPECT_FALSE(document.loadXML(QString::fromUtf16(u"<a>\xDC00\xD800</a>")));
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
