// Loading XML as the site's pages need it: the well-formedness rules, node text, and records
// loaded in one go.
#include "xml/xml_document.h"
#include "xml/xml_record_set.h"

#include "support/qt_printing.h"
#include "support/xml_oracle.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

std::vector<QString> texts(const XmlNodeList& nodes) {
    std::vector<QString> out;
    for (int i = 0; i < nodes.length(); ++i) {
        out.push_back(nodes.item(i).text());
    }
    return out;
}

std::vector<QString> select(const XmlDocument& document, const char16_t* expression) {
    return texts(document.selectNodes(XmlSelector::parse(expression)));
}

// Each rule of XML and of namespaces in XML, broken and kept; the reference parser agrees,
// except where a document type is involved (see hasDocumentType).
TEST(XmlDocument, LoadsEmptyExactlyWhenARuleIsBroken) {
    const char16_t* const broken[] = {
        // Structure, references, text outside the root.
        u"<a><b>x</b>", u"<a>x</b>", u"<a>1</a><a>2</a>", u"", u"   ", u"<a>&nbsp;</a>",
        u"<a t='&foo;'/>", u"<a>&#0;</a>", u"junk<a>x</a>", u"<a>x</a>junk",
        u"<a><!--c--></a>junk-->", u"<a/>x", u"<a/> <", u"<a/>\r\r<", u"<![CDATA[x]]><a/>",
        u"<a/><!DOCTYPE a>",
        // Characters.
        u"<a>\x01</a>", u"<a b='\x1F'/>", u"<a>&#1;</a>", u"<a>\xFFFE</a>", u"<a>&#xFFFF;</a>",
        u"<a>&#xD800;</a>",
        // Attributes.
        u"<a b='1' b='2'/>", u"<a b='<'/>", u"<a b='&amp;<'/>",
        u"<a xmlns:p='u' xmlns:q='u' p:b='1' q:b='2'/>",
        // Character data, comments, instructions, the declaration.
        u"<a>]]></a>", u"<a>x]]>y</a>", u"<a><!-- a--b --></a>", u"<a><!-- a ---></a>",
        u" <?xml version='1.0'?><a/>", u"<!-- c --><?xml version='1.0'?><a/>",
        u"<a/><?xml version='1.0'?>", u"<?XML x?><a/>", u"<a><?xMl x?></a>", u"<?p:i x?><a/>",
        u"<?xml version='2.0'?><a/>", u"<?xml encoding='utf-8'?><a/>",
        u"<?xml version='1.0' standalone='maybe'?><a/>",
        // Namespaces and the reserved prefixes.
        u"<p:a/>", u"<a p:b='1'/>", u"<a xmlns:p='u'/><p:b/>", u"<a:b:c xmlns:a='u'/>",
        u"<a xmlns:p=''/>", u"<xmlns:a/>", u"<a xmlns:xml='u'/>", u"<a xmlns:xmlns='u'/>",
        u"<a xmlns:p='http://www.w3.org/XML/1998/namespace'/>",
        u"<a xmlns='http://www.w3.org/2000/xmlns/'/>", u"<a xmlns:p='a b'/>",
        u"<a xmlns='\u00E9'/>", u"<a xmlns='1:x'/>", u"<a xmlns='//h:/'/>",
        u"<a xmlns:p='a#b&amp;c'/>", u"<a xmlns:p=']&#38;'/>",
        // Names, fifth edition.
        u"<a\u00D7/>", u"<-a/>", u"<a\u3000b/>", u"<a \u0300b='1'/>",
        // Document types: internal subsets are never read, so they are refused.
        u"<!DOCTYPE a [<!ENTITY x \"y\">]><a>&x;</a>", u"<!DOCTYPE a [<!ELEMENT a ANY>]><a>x</a>",
        u"<!DOCTYPEa><a/>"};
    const char16_t* const wellFormed[] = {
        u"<a>&lt;&amp;&gt;&quot;&apos;&#20013;&#x6587;&#x0000041;<![CDATA[&b;]]></a>",
        u"<!-- head --><a>x</a><!-- tail --><?pi x?>  ", u"<a>\t\r\n\uFFFD\U0001F600</a>",
        u"<a b='1' c='&lt;]]>' p:b='2' xmlns:p='u'/>",
        u"<?xml version=\"1.0\" encoding=\"gbk\" standalone='no' ?>\n<a>]]&gt;<!--->--></a>",
        u"<a><?xml-stylesheet x?><![CDATA[]]]]><![CDATA[>]]></a>",
        u"<a xmlns='urn:x%20y?q#[f]' xmlns:p='../r;x=1' xmlns:q='//u@[::1]:80/p'/>",
        u"<p:a xmlns:p='u'><p:b xml:lang='en' xmlns=''/></p:a>",
        u"<a xmlns='/a&amp;]' xmlns:p='a&#x26;]'/>", u"<\u4E2D\u6587 \u00C0\u00B7\u0300='1'/>",
        u"<_a.b-c\u2070 \U00010000='1'/>",
        // A document type without an internal subset.
        u"<!DOCTYPE a PUBLIC \"-//x//y\" 'a.dtd'><a/>"};
    const auto check = [](const char16_t* literal, bool expected) {
        const QString text = QString::fromUtf16(literal);
        XmlDocument document;
        ASSERT_TRUE(document.loadXML(u"<a>keep</a>"));
        EXPECT_EQ(document.loadXML(text), expected) << text.toStdString();
        EXPECT_EQ(document.isEmpty(), !expected) << text.toStdString();
        if (!test::hasDocumentType(text)) {
            EXPECT_EQ(test::oracleFindsWellFormed(text), expected)
                << "reference: " << text.toStdString();
        }
    };
    for (const char16_t* text : broken) {
        check(text, false);
    }
    for (const char16_t* text : wellFormed) {
        check(text, true);
    }
    // An unpaired surrogate has no UTF-8 form to give the reference.
    XmlDocument document;
    EXPECT_FALSE(document.loadXML(QString::fromUtf16(u"<a>\xD800</a>")));
    EXPECT_FALSE(document.loadXML(QString::fromUtf16(u"<a>\xDC00\xD800</a>")));
}

TEST(XmlDocument, SelectsEveryElementOfANameAndJoinsItsTextAsTheDomDoes) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXML(u"<r><x><id>deep</id></x><id>second</id><id/></r>"));
    EXPECT_EQ(select(document, u"//id"), (std::vector<QString>{u"deep"_s, u"second"_s, QString()}));
    EXPECT_TRUE(select(document, u"//ID").empty());
    ASSERT_TRUE(document.loadXML(
        u"<r><trim>\n   阿凡达 &amp; 2  \n</trim><inner>a  b</inner>"
        u"<joined><b>one</b>\n   <c>two</c><d>three</d></joined><blank>   \n  </blank>"
        u"<cdata><![CDATA[  kept <as> is  ]]></cdata><mixed> x <![CDATA[ y ]]></mixed>"
        u"<mark>\uFEFFx</mark></r>"));
    EXPECT_TRUE(select(document, u"//id").empty());  // a new load replaces everything
    const std::pair<const char16_t*, QString> fields[] = {
        {u"//trim", u"阿凡达 & 2"_s}, {u"//joined", u"one twothree"_s},    {u"//inner", u"a  b"_s},
        {u"//blank", QString()},      {u"//cdata", u"  kept <as> is  "_s}, {u"//mixed", u"x  y "_s},
        {u"//mark", u"\uFEFFx"_s}};
    for (const auto& [expression, text] : fields) {
        EXPECT_EQ(select(document, expression), std::vector<QString>{text});
    }
}

TEST(XmlRecordSet, AnswersEachRecordAsLoadingItAloneWouldOrDeclines) {
    const std::vector<XmlSelector> wanted{XmlSelector::parse(u"//id"),
                                          XmlSelector::parse(u"//name")};
    const auto loadTogether = [&wanted](XmlRecordSet& set, const std::vector<QString>& records) {
        return set.load(std::vector<QStringView>(records.begin(), records.end()), "rec", wanted);
    };
    const std::vector<QString> records{
        u"<rec><id>1</id><name>a &amp; b</name></rec>"_s,
        u"<rec><x><name>deep</name></x><id>2</id><id>3</id></rec>"_s,
        u"<rec><!-- no fields --></rec>"_s,
        u"<rec><name><![CDATA[ c ]]>\n  <b>d</b></name></rec>"_s,
    };
    XmlRecordSet set;
    ASSERT_TRUE(loadTogether(set, records));
    for (size_t r = 0; r < records.size(); ++r) {
        XmlDocument alone;
        ASSERT_TRUE(alone.loadXML(records[r]));
        for (size_t s = 0; s < wanted.size(); ++s) {
            EXPECT_EQ(texts(set.selectNodes(r, s)), texts(alone.selectNodes(wanted[s])))
                << r << "/" << s;
        }
    }
    const std::vector<std::vector<QString>> declined{
        // A record that is broken on its own.
        {u"<rec><id>1</id></rec>"_s, u"<rec><id></rec>"_s},
        {u"<rec>&nbsp;</rec>"_s},
        // Constructs that would join two broken records into one well-formed text.
        {u"<rec><![CDATA[</rec>"_s, u"<rec>]]></rec>"_s},
        {u"<rec><!--</rec>"_s, u"<rec>--></rec>"_s},
        {u"<rec><a t=\"</rec>"_s, u"<rec>\"/></rec>"_s},
        // Blanks in a closing tag: three broken records that nest into three elements.
        {u"<rec><id>1</id></rec ><rec></rec>"_s, u"<rec><rec><id>2</id></rec>"_s,
         u"<rec></rec ></rec>"_s},
        // Rules the parser leaves out, on this path too.
        {u"<rec><id>1</id></rec>"_s, u"<rec a='1' a='2'></rec>"_s},
        {u"<rec><p:id>1</p:id></rec>"_s},
        {u"<rec>]]></rec>"_s},
        {u"<rec><!-- -- --></rec>"_s},
    };
    for (const std::vector<QString>& records : declined) {
        XmlRecordSet set;
        EXPECT_FALSE(loadTogether(set, records)) << records.front().toStdString();
    }
}

}  // namespace
}  // namespace vantrel
