// Turning a response body into page text, without a server.
#include "platform/body_text.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

const QString kReplacement(QChar(0xFFFD));

TEST(BodyText, DecodesByTheCharsetOfTheContentType) {
    EXPECT_EQ(decodeBodyText("\xD7\xD6\xC4\xBB", "text/html; charset=GBK"), QStringLiteral("字幕"))
        << "GBK must decode: Qt needs ICU for it";
    EXPECT_EQ(decodeBodyText("\xA6\x72\xB9\xF5", "text/xml;charset=\"big5\""),
              QStringLiteral("字幕"));
    EXPECT_EQ(decodeBodyText("\xD7\xD6", "text/html; Charset = gb18030 ; q=1"),
              QStringLiteral("字"));
    // Latin-1 and ASCII labels mean windows-1252, as in browsers: 0x80 is the euro sign.
    for (const char* label : {"ISO-8859-1", "latin1", "us-ascii", "windows-1252"}) {
        EXPECT_EQ(decodeBodyText("caf\xE9 \x80\x93", QByteArray("text/plain; charset=") + label),
                  QStringLiteral("café €\u201C"))
            << label;
    }
    // The header wins over a byte-order mark.
    EXPECT_EQ(decodeBodyText("\xFF\xFE\x61\x62", "text/html; charset=utf-8"),
              kReplacement + kReplacement + QStringLiteral("ab"));
}

TEST(BodyText, ReadsPagesLabelledGb2312AsGbk) {
    // "謝" lies outside GB2312 but is what such pages hold in practice.
    EXPECT_EQ(decodeBodyText("\xD6\x78\xD7\xD6", "text/html; charset=gb2312"),
              QStringLiteral("謝字"));
}

TEST(BodyText, WithoutAUsableCharsetUsesTheByteOrderMarkElseUtf8) {
    EXPECT_EQ(decodeBodyText("\xE5\xAD\x97", ""), QStringLiteral("字"));
    EXPECT_EQ(decodeBodyText("\xE5\xAD\x97", "text/html"), QStringLiteral("字"));
    EXPECT_EQ(decodeBodyText("\xE5\xAD\x97", "text/html; xcharset=gbk; charset=no-such-charset"),
              QStringLiteral("字"));
    EXPECT_EQ(decodeBodyText("\xEF\xBB\xBF<a>", "text/html"), QStringLiteral("<a>"));
    EXPECT_EQ(decodeBodyText(QByteArray("\xFF\xFE<\0\x57\x5B", 6), ""), QStringLiteral("<字"));
    EXPECT_EQ(decodeBodyText(QByteArray("\xFE\xFF\0<\x5B\x57", 6), ""), QStringLiteral("<字"));
    // The XML declaration is not read.
    EXPECT_EQ(decodeBodyText("<?xml version=\"1.0\" encoding=\"gbk\"?>\xE5\xAD\x97", ""),
              QStringLiteral("<?xml version=\"1.0\" encoding=\"gbk\"?>字"));
}

TEST(BodyText, BytesThatDoNotDecodeBecomeReplacementCharacters) {
    EXPECT_EQ(decodeBodyText("\x61\xFF\x62", ""),
              QStringLiteral("a") + kReplacement + QStringLiteral("b"));
    // A sequence cut off at the end is not dropped silently.
    EXPECT_TRUE(decodeBodyText("a\xE5\xAD", "").endsWith(kReplacement));
    EXPECT_EQ(decodeBodyText("\xD7\xD6\x81\x20", "text/html; charset=GBK"),
              QStringLiteral("字") + kReplacement + QStringLiteral(" "));
    EXPECT_EQ(decodeBodyText(QByteArray(), "text/html; charset=utf-8"), QString());
    const std::pair<const char*, const char*> cutOff[] = {
        {"\xD7\xD6\xD7", "GBK"},           {"\xD7\xD6\x81\x30", "GB18030"},
        {"\xA6\x72\xB9", "Big5"},          {"\x82\xA0\x82", "Shift_JIS"},
        {"\xA4\xA2\xA4", "EUC-JP"},        {"\xB0\xA1\xB0", "EUC-KR"},
        {"\xE5\xAD\x97\xE5\xAD", "utf-8"}, {"\x57\x5B\x57", "utf-16le"}};
    for (const auto& [bytes, charset] : cutOff) {
        const QString text = decodeBodyText(bytes, QByteArray("text/html; charset=") + charset);
        EXPECT_EQ(text.size(), 2) << charset;
        EXPECT_TRUE(text.endsWith(kReplacement) && !text.startsWith(kReplacement)) << charset;
    }
}

}  // namespace
}  // namespace vantrel
