#include "platform/body_text.h"

#include <QList>
#include <QStringDecoder>

#include <optional>

namespace vantrel {
namespace {

// The charset parameter of a Content-Type value, unquoted and trimmed; empty when there is none.
QByteArray charsetOf(const QByteArray& contentType) {
    const QList<QByteArray> parts = contentType.split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray parameter = parts.at(i).trimmed();
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0 || parameter.left(equals).trimmed().toLower() != "charset") {
            continue;
        }
        QByteArray value = parameter.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
            value = value.mid(1, value.size() - 2).trimmed();
        }
        return value;
    }
    return {};
}

// The decoder for a charset label where browsers read the label as a wider charset.
// Pages labelled with the GB2312 family nearly always hold GBK text (GB2312 is a subset of it).
// ICU's strict GB2312 table would turn every character outside the subset into a substitute.
QByteArray decoderNameFor(const QByteArray& charset) {
    const QByteArray name = charset.toLower();
    if (name == "gb2312" || name == "gb_2312-80" || name == "csgb2312" || name == "euc-cn" ||
        name == "x-gbk" || name == "cp936" || name == "windows-936" || name == "ms936") {
        return QByteArrayLiteral("GBK");
    }
    // Browsers read these labels as windows-1252, which gives 0x80-0x9F printable characters
    // (curly quotes, the euro sign) where ISO-8859-1 has control codes; pages labelled so rely
    // on it.
    static constexpr const char* kWindows1252Labels[] = {
        "ansi_x3.4-1968", "ascii",           "cp1252",     "cp819",     "csisolatin1",
        "ibm819",         "iso-8859-1",      "iso-ir-100", "iso8859-1", "iso88591",
        "iso_8859-1",     "iso_8859-1:1987", "l1",         "latin1",    "us-ascii",
        "x-cp1252"};
    for (const char* label : kWindows1252Labels) {
        if (name == label) {
            return QByteArrayLiteral("windows-1252");
        }
    }
    return charset;
}

std::optional<QStringConverter::Encoding> encodingOfBom(const QByteArray& body) {
    if (body.startsWith("\xEF\xBB\xBF")) {
        return QStringConverter::Utf8;
    }
    if (body.startsWith("\xFF\xFE")) {
        return QStringConverter::Utf16LE;
    }
    if (body.startsWith("\xFE\xFF")) {
        return QStringConverter::Utf16BE;
    }
    return std::nullopt;
}

// Stateless: a UTF-8 or UTF-16 sequence cut off at the end of the body becomes U+FFFD instead of
// waiting for bytes that never come. An initial byte-order mark is dropped.
constexpr QStringConverter::Flags kDecodeFlags = QStringConverter::Flag::Stateless;

}  // namespace

QString decodeBodyText(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = charsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(decoderNameFor(charset).constData(), kDecodeFlags);
        if (decoder.isValid()) {
            return decoder.decode(body);
        }
        // A charset nobody knows is treated as if it were absent.
    }
    QStringDecoder decoder(encodingOfBom(body).value_or(QStringConverter::Utf8), kDecodeFlags);
    return decoder.decode(body);
}

}  // namespace vantrel
