#include "subtitles/subtitle_charset.h"

#include "base/chinese_double_bytes.h"
#include "base/iconv_converter.h"
#include "subtitles/subtitle_dialogue.h"

#include <uchardet.h>

#include <cstring>
#include <memory>
#include <type_traits>

namespace vantrel {
namespace {

constexpr qsizetype kDetectorSample = 256 * 1024;

qsizetype firstNonAscii(QByteArrayView text, qsizetype from) {
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype i = from;
    for (; i + 8 <= text.size(); i += 8) {
        quint64 word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
    for (; i < text.size(); ++i) {
        if ((text[i] & 0x80) != 0) {
            return i;
        }
    }
    return text.size();
}

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or values beyond
// U+10FFFF. A `cut` text may end inside a character.
bool isUtf8(QByteArrayView text, bool cut) {
    const auto byte = [&text](qsizetype i) { return static_cast<unsigned char>(text[i]); };
    qsizetype i = firstNonAscii(text, 0);
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || lead > 0xF4) {
            return false;
        }
        if (i + length > text.size()) {
            break;
        }
        // The second byte's range depends on the lead: it rules out overlong forms, surrogates
        // and values beyond U+10FFFF.
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (byte(i + 1) < low || byte(i + 1) > high) {
            return false;
        }
        for (int k = 2; k < length; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) {
                return false;
            }
        }
        i = firstNonAscii(text, i + length);
    }
    if (i >= text.size()) {
        return true;
    }
    // A character cut off at the end: fine for a cut text if its bytes so far fit.
    for (qsizetype k = i + 1; k < text.size(); ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return false;
        }
    }
    return cut;
}

QByteArray detectedCharset(QByteArrayView text, SubtitleFormat format) {
    const QByteArray dialogue = dialogueLines(text, format, kDetectorSample, true);
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (uchardet_handle_data(detector.get(), dialogue.constData(),
                             static_cast<size_t>(dialogue.size())) != 0) {
        return {};
    }
    uchardet_data_end(detector.get());
    const QByteArray name = QByteArray(uchardet_get_charset(detector.get())).toUpper();
    const bool big5 = name.startsWith("BIG5") || name == "EUC-TW";
    // The detector takes short Chinese texts for Arabic or Cyrillic single-byte ones, and GBK
    // and Big5 for each other: what the characters read as settles both.
    if (readsAsChinese(dialogue)) {
        const ChineseCharset likelier = likelierChineseCharset(dialogue);
        const bool asBig5 =
            likelier == ChineseCharset::Undecided ? big5 : likelier == ChineseCharset::Big5;
        return asBig5 ? QByteArrayLiteral("BIG5") : QByteArrayLiteral("GB18030");
    }
    if (name.isEmpty() || name == "ASCII" || name == "UTF-8") {
        return {};  // not UTF-8 as a whole, so a guess from some few lines
    }
    if (big5) {
        return QByteArrayLiteral("BIG5");
    }
    if (name.startsWith("GB") || name.startsWith("HZ")) {
        return QByteArrayLiteral("GB18030");
    }
    // On a few accented letters the detector wavers between the Latin charsets (Mac Central
    // European for "café"); English and Western European subtitles are in Windows-1252.
    static const QByteArrayList kLatin = {
        "ISO-8859-1",   "ISO-8859-2",   "ISO-8859-3",   "ISO-8859-4",       "ISO-8859-9",
        "ISO-8859-10",  "ISO-8859-13",  "ISO-8859-14",  "ISO-8859-15",      "ISO-8859-16",
        "WINDOWS-1250", "WINDOWS-1252", "WINDOWS-1254", "WINDOWS-1257",     "MAC-ROMAN",
        "MACINTOSH",    "IBM850",       "IBM852",       "MAC-CENTRALEUROPE"};
    return kLatin.contains(name) ? QByteArrayLiteral("WINDOWS-1252") : name;
}

// GB18030, Big5 and the single-byte charsets leave ASCII as it is, and no line feed is ever
// part of a double byte: lines of ASCII alone are copied, the others go through iconv, several
// at a time.
bool convertAsciiCompatible(QByteArrayView text, IconvConverter& converter,
                            const std::function<bool(QByteArrayView)>& sink) {
    constexpr qsizetype kJoinGap = 4096;
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype high = firstNonAscii(text, position);
        if (high == text.size()) {
            return sink(text.sliced(position));
        }
        const qsizetype lineStart = text.lastIndexOf('\n', high) + 1;
        const qsizetype asciiEnd = std::max(lineStart, position);
        if (asciiEnd > position && !sink(text.sliced(position, asciiEnd - position))) {
            return false;
        }
        qsizetype end = text.indexOf('\n', high);
        while (end >= 0) {
            const qsizetype nextHigh = firstNonAscii(text, end);
            if (nextHigh - end > kJoinGap || nextHigh == text.size()) {
                break;
            }
            end = text.indexOf('\n', nextHigh);
        }
        end = end < 0 ? text.size() : end + 1;
        if (!converter.convert(text.sliced(asciiEnd, end - asciiEnd), sink)) {
            return false;
        }
        position = end;
    }
    return true;
}

// A UTF-8 text with a stray byte or two (a line pasted from a Latin-1 file): no more than one
// character in twenty beyond ASCII fails to read. Any other text stops the count early.
bool isMostlyUtf8(QByteArrayView text) {
    qsizetype valid = 0;
    qsizetype stray = 0;
    for (qsizetype i = firstNonAscii(text, 0); i < text.size(); i = firstNonAscii(text, i)) {
        const auto lead = static_cast<uchar>(text[i]);
        const qsizetype length = lead >= 0xF0 && lead <= 0xF4  ? 4
                                 : lead >= 0xE0 && lead < 0xF0 ? 3
                                 : lead >= 0xC2 && lead < 0xE0 ? 2
                                                               : 0;
        bool whole = length > 0 && i + length <= text.size();
        for (qsizetype k = 1; whole && k < length; ++k) {
            whole = (static_cast<uchar>(text[i + k]) & 0xC0) == 0x80;
        }
        if (whole) {
            ++valid;
            i += length;
            continue;
        }
        ++i;
        if (++stray > 16 && stray * 20 > valid) {
            return false;
        }
    }
    return stray > 0 && stray * 20 <= valid;
}

bool asciiCompatible(const QByteArray& charset) {
    return !charset.startsWith("UTF-16");
}

}  // namespace

std::vector<TextEncoding> likelyEncodings(QByteArrayView text, SubtitleFormat format, bool cut) {
    if (text.startsWith("\xEF\xBB\xBF")) {
        return {{"UTF-8", 3}};
    }
    if (text.startsWith("\xFF\xFE")) {
        return {{"UTF-16LE", 2}};
    }
    if (text.startsWith("\xFE\xFF")) {
        return {{"UTF-16BE", 2}};
    }
    if (text.contains('\0')) {
        return {};
    }
    if (isUtf8(text, cut)) {
        return {{"UTF-8", 0}};
    }
    std::vector<TextEncoding> encodings;
    // Before GB18030, which reads most UTF-8 as some other Chinese characters.
    if (isMostlyUtf8(text)) {
        encodings.push_back({"UTF-8", 0, true});
    }
    const QByteArray detected = detectedCharset(text, format);
    if (!detected.isEmpty()) {
        encodings.push_back({detected, 0});
    }
    for (const char* fallback : {"GB18030", "BIG5"}) {
        if (detected != fallback) {
            encodings.push_back({fallback, 0});
        }
    }
    return encodings;
}

TextWrite writeAsUtf8(QByteArrayView text, SubtitleFormat format, QFileDevice& out) {
    bool writeFailed = false;
    const std::function<bool(QByteArrayView)> sink = [&out, &writeFailed](QByteArrayView piece) {
        writeFailed = out.write(piece.data(), piece.size()) != piece.size();
        return !writeFailed;
    };
    for (const TextEncoding& encoding : likelyEncodings(text, format)) {
        if (!out.resize(0) || !out.seek(0)) {
            return TextWrite::WriteFailed;
        }
        const QByteArrayView body = text.sliced(encoding.skip);
        bool written = false;
        if (encoding.mended) {
            written = sink(QString::fromUtf8(body).toUtf8());
        } else if (encoding.charset == "UTF-8") {
            written = sink(body);
        } else {
            IconvConverter converter(encoding.charset.constData());
            written = asciiCompatible(encoding.charset)
                          ? convertAsciiCompatible(body, converter, sink)
                          : converter.convert(body, sink);
        }
        if (written) {
            return TextWrite::Written;
        }
        if (writeFailed) {
            return TextWrite::WriteFailed;
        }
    }
    // Nothing of a text that does not read is left behind.
    return out.resize(0) ? TextWrite::CannotDecode : TextWrite::WriteFailed;
}

QString decodeSample(QByteArrayView sample, SubtitleFormat format) {
    const std::vector<TextEncoding> encodings = likelyEncodings(sample, format, true);
    if (encodings.empty()) {
        return {};
    }
    const TextEncoding& encoding = encodings.front();
    if (encoding.charset == "UTF-8") {
        return QString::fromUtf8(sample.sliced(encoding.skip));
    }
    return QString::fromUtf8(IconvConverter(encoding.charset.constData())
                                 .convertLeniently(sample.sliced(encoding.skip)));
}

}  // namespace vantrel
