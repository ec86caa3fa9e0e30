#include "subtitles/subtitle_charset.h"
#include "subtitles/subtitle_dialogue.h"
#include "support/encoded_text.h"
#include "support/qt_printing.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::encodedAs;

// An effect-heavy ASS file: its header, styles and tags outweigh its dialogue.
QString assFile(const QString& dialogue) {
    QString text = QStringLiteral(
        "[Script Info]\nTitle: Default Aegisub file\nScriptType: v4.00+\n\n[V4+ Styles]\n"
        "Style: Default,Arial,20,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,"
        "0,1,2,2,2,10,10,10,1\n\n[Events]\n");
    for (int i = 0; i < 40; ++i) {
        text += QStringLiteral(
                    "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,"
                    "{\\fad(200,200)\\blur3\\pos(320,50)\\c&HFFFFFF&}") +
                dialogue + QStringLiteral("\\N{\\fs14}Line\n");
    }
    return text;
}

QByteArray writtenAsUtf8(const QByteArray& bytes, SubtitleFormat format, TextWrite* result) {
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    *result = writeAsUtf8(bytes, format, file);
    file.seek(0);
    return file.readAll();
}

TEST(SubtitleCharset, WritesEveryCharsetAsUtf8WithoutAMark) {
    const QString simplified = QStringLiteral("这是我们的电影，你说什么呢？我不知道。");
    const QString traditional = QStringLiteral("這是我們的電影，你說什麼呢？我不知道。");
    const QString srt = QStringLiteral("1\n00:00:01,000 --> 00:00:02,000\n") + simplified + u'\n';
    struct Case {
        const char* what;
        QByteArray bytes;
        QString expected;
        SubtitleFormat format;
    };
    const Case cases[] = {
        {"UTF-8", srt.toUtf8(), srt, SubtitleFormat::Srt},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + srt.toUtf8(), srt, SubtitleFormat::Srt},
        {"UTF-8 with a stray Latin-1 byte", (srt + srt).toUtf8() + "Caf\xE9\n",
         srt + srt + QStringLiteral("Caf\uFFFD\n"), SubtitleFormat::Srt},
        {"UTF-16LE with a mark", encodedAs(QChar(0xFEFF) + srt, "UTF-16LE"), srt,
         SubtitleFormat::Srt},
        {"UTF-16BE with a mark", encodedAs(QChar(0xFEFF) + srt, "UTF-16BE"), srt,
         SubtitleFormat::Srt},
        {"GBK", encodedAs(srt, "GBK"), srt, SubtitleFormat::Srt},
        {"GB18030 beyond GBK", encodedAs(srt + QStringLiteral("𠀀€\n"), "GB18030"),
         srt + QStringLiteral("𠀀€\n"), SubtitleFormat::Srt},
        {"Big5", encodedAs(traditional, "BIG5"), traditional, SubtitleFormat::Srt},
        // Too short for the detector, which reads these as Arabic.
        {"GBK, two characters", encodedAs(QStringLiteral("这是\n"), "GBK"),
         QStringLiteral("这是\n"), SubtitleFormat::Srt},
        {"Windows-1252",
         encodedAs(QStringLiteral("It’s a café, isn’t it?\nYes, it’s the café.\n"), "CP1252"),
         QStringLiteral("It’s a café, isn’t it?\nYes, it’s the café.\n"), SubtitleFormat::Srt},
        {"GBK ASS", encodedAs(assFile(simplified), "GBK"), assFile(simplified),
         SubtitleFormat::Ass},
        {"Big5 ASS", encodedAs(assFile(traditional), "BIG5"), assFile(traditional),
         SubtitleFormat::Ass},
    };
    for (const Case& c : cases) {
        TextWrite result = TextWrite::WriteFailed;
        const QByteArray written = writtenAsUtf8(c.bytes, c.format, &result);
        EXPECT_EQ(result, TextWrite::Written) << c.what;
        EXPECT_EQ(QString::fromUtf8(written), c.expected) << c.what;
        EXPECT_FALSE(written.startsWith("\xEF\xBB\xBF")) << c.what;
    }
}

TEST(SubtitleCharset, WritesNothingOfATextItCannotRead) {
    const QByteArray chinese = encodedAs(QStringLiteral("这是我们的电影，你说什么呢？\n"), "GBK");
    const QByteArray cases[] = {
        QByteArray("1\n00:00:01,000 --> 00:00:02,000\n\x00\x01\x02\x03", 36),  // binary
        chinese + "\xFF" + chinese,  // a byte neither GB18030 nor Big5 defines
    };
    for (const QByteArray& bytes : cases) {
        TextWrite result = TextWrite::Written;
        EXPECT_TRUE(writtenAsUtf8(bytes, SubtitleFormat::Srt, &result).isEmpty());
        EXPECT_EQ(result, TextWrite::CannotDecode);
    }
}

TEST(SubtitleDialogue, KeepsTheShownTextAlone) {
    const QByteArray ass =
        "[Script Info]\nTitle: x\n[V4+ Styles]\nStyle: Default,SimHei,20\n[Events]\n"
        "Comment: 0,0:00:00.00,0:00:01.00,Default,,0,0,0,,note\n"
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\b1}Hello{\\b0}\\Nthere, you\n";
    EXPECT_EQ(dialogueLines(ass, SubtitleFormat::Ass, 1000, false), "Hello there, you\n");
    const QByteArray vtt = "WEBVTT\n\n1\n00:00:01.000 --> 00:00:02.000\n<i>Hi</i> {\\an8}you\n";
    EXPECT_EQ(dialogueLines(vtt, SubtitleFormat::Vtt, 1000, false), "Hi you\n");
    // A Big5 character whose second byte is '{' ("功", A5 5C is '\\'; "許" B3 5C) stays whole.
    const QByteArray big5 = "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,\xB3\x5C\xA5\x7B\n";
    EXPECT_EQ(dialogueLines(big5, SubtitleFormat::Ass, 1000, true), "\xB3\x5C\xA5\x7B\n");
}

}  // namespace
}  // namespace vantrel
