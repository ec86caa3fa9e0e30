// Cutting a result page into records, and the address of a record's file page.
#include "results/record_pieces.h"
#include "results/file_url.h"
#include "results/plain_record.h"
#include "results/record_marker.h"
#include "xml/xml_document.h"

#include "support/qt_printing.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

TEST(RecordPieces, SplitAtEveryMarkerAndCutBackToTheOpeningTag) {
    const std::pair<QString, QStringList> splits[] = {
        {QString(), {}},
        {u"no records"_s, {u"no records"_s}},
        {u"a</subrief>PowerByQXTb</subrief>PowerByQXT"_s,
         {u"a</subrief>"_s, u"b</subrief>"_s, QString()}},
        {u"x</subrief>powerbyqxt"_s, {u"x</subrief>powerbyqxt"_s}},  // another case is no marker
    };
    for (const auto& [page, pieces] : splits) {
        QStringList got;
        for (const QStringView piece : splitAtRecordMarkers(page)) {
            got.push_back(piece.toString());
        }
        EXPECT_EQ(got, pieces);
    }
    const std::pair<QString, QString> cuts[] = {
        {u"<?xml version=\"1.0\"?><list>\r\n<subrief>r</subrief>"_s, u"<subrief>r</subrief>"_s},
        {u"\n<subrief>r</subrief>"_s, u"<subrief>r</subrief>"_s},
        {u"<subrief><subrief>"_s, u"<subrief><subrief>"_s},
        {u"<SUBRIEF>r</subrief>"_s, u"<SUBRIEF>r</subrief>"_s},  // capitals are not the tag
    };
    for (const auto& [piece, record] : cuts) {
        EXPECT_EQ(cutToRecordStart(piece).toString(), record);
    }
}

TEST(RecordMarkers, GoBehindEveryClosingTagWhetherThePageIsSharedOrNot) {
    const std::pair<QString, QString> cases[] = {
        {QString(), QString()},
        {u"</subrief"_s, u"</subrief"_s},
        {u"</subrief>"_s, u"</subrief>PowerByQXT"_s},
        {u"a</subrief></subrief>b</SUBRIEF>c</subrief>\n"_s,
         u"a</subrief>PowerByQXT</subrief>PowerByQXTb</SUBRIEF>c</subrief>PowerByQXT\n"_s},
    };
    for (const auto& [page, marked] : cases) {
        QString own = page;
        own.detach();
        EXPECT_EQ(insertRecordMarkers(std::move(own)), marked);
        const QString before = QStringView(page).toString();  // a copy with memory of its own
        EXPECT_EQ(insertRecordMarkers(page), marked);
        EXPECT_EQ(page, before);  // a shared text is left as it was
    }
}

TEST(PlainRecord, ReadsWhatTheXmlLoaderWouldOrDeclines) {
    const std::pair<QString, bool> records[] = {
        {u"<subrief><fileid>1</fileid><filename> a > b\t</filename></subrief>"_s, true},
        {u"<subrief>\n <b/><fileid></fileid><x.y>1</x.y>\t<fileid>2</fileid></subrief>"_s, true},
        {u"<subrief><filename>\U0001F600]]</filename><format/></subrief>"_s, true},
        {u"<subrief><fileid>a &amp; b</fileid></subrief>"_s, false},
        {u"<subrief><fileid><![CDATA[1]]></fileid></subrief>"_s, false},
        {u"<subrief><!-- c --><fileid>1</fileid></subrief>"_s, false},
        {u"<subrief><fileid a=\"1\">1</fileid></subrief>"_s, false},
        {u"<subrief><fileid >1</fileid ></subrief>"_s, false},
        {u"<subrief><fileid><b>1</b></fileid></subrief>"_s, false},
        {u"<subrief><fileid>1\r2</fileid></subrief>"_s, false},
        {u"<subrief><fileid>1]]>2</fileid></subrief>"_s, false},
        {u"<subrief>x<fileid>1</fileid></subrief>"_s, false},
        {u"<subrief><fileid>1</filename></subrief>"_s, false},
        {u"<subrief><fileid>1</fileid>"_s, false},
        {u"<subrief><p:fileid>1</p:fileid></subrief>"_s, false},
        {u"<subrief><fileid>\x01</fileid></subrief>"_s, false},
        {u"<subrief><fileid>"_s + QChar(0xD800) + u"</fileid></subrief>"_s, false},
        // The same characters inside long texts, which are searched several units at a time.
        {u"<subrief><fileid>0123456789\U0001F600\t0123456789\n</fileid></subrief>"_s, true},
        {u"<subrief><fileid>0123456789\x1F"
         u"0123456789</fileid></subrief>"_s,
         false},
        {u"<subrief><fileid>0123456789"_s + QChar(0xDC00) + u"\U0001F6000123</fileid></subrief>"_s,
         false},
        {u"<subrief><fileid>0123456789\uFFFF0123456789</fileid></subrief>"_s, false},
    };
    const std::vector<std::string> names{"fileid", "filename", "format", "b"};
    const PlainRecordReader reader(u"subrief", names);
    for (const auto& [record, plain] : records) {
        QStringView texts[4];
        ASSERT_EQ(reader.read(record, texts), plain) << record.toStdString();
        XmlDocument document;
        if (!plain || !document.loadXML(record)) {
            EXPECT_FALSE(plain) << record.toStdString();  // a plain record is well-formed
            continue;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            const XmlNodeList nodes = document.selectNodes(
                XmlSelector::parse(u"//"_s + QString::fromStdString(names[i])));
            EXPECT_EQ(texts[i].isNull() ? u"(none)"_s : texts[i].toString(),
                      nodes.length() == 0 ? u"(none)"_s : nodes.item(0).text())
                << record.toStdString();
        }
    }
}

TEST(SubtitleFileUrl, TakesThreeCharactersOfASixCharacterIdAndTwoOfOthers) {
    const std::pair<QString, QString> cases[] = {
        {u"abcdef"_s, u"abc/abcdef"_s},
        {u"abcde"_s, u"ab/abcde"_s},
        {u"abcdefg"_s, u"ab/abcdefg"_s},
        {u"a"_s, u"a/a"_s},
        {QString(), u"/"_s},
        {u" "_s, u" / "_s},
    };
    for (const auto& [id, path] : cases) {
        EXPECT_EQ(subtitleFileUrl(u"h:1"_s, id), u"http://h:1/xml/file/"_s + path + u".xml"_s);
    }
}

}  // namespace
}  // namespace vantrel
