#include "http/body_text.h"

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

// Decodes the whole body. A sequence cut off at its end becomes one U+FFFD: the decoder keeps it
// pending, and NUL bytes, which continue no multibyte sequence, then bring it out. (Stateless
// decoding drops it for the charsets ICU provides, and gives one U+FFFD a byte for UTF-8.) An
// initial byte-order mark is dropped. Kind names the charset or is a QStringConverter::Encoding.
template <typename Kind>
QString decodeWhole(Kind kind, const QByteArray& body) {
    QStringDecoder decoder(kind);
    QString text = decoder.decode(body);
    const QByteArray nulBytes(4, '\0');
    if (QString(decoder.decode(nulBytes)) != QString(QStringDecoder(kind).decode(nulBytes))) {
        text += QChar(QChar::ReplacementCharacter);
    }
    return text;
}

}  // namespace

QString decodeBodyText(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = charsetOf(contentType);
    if (!charset.isEmpty()) {
        const QByteArray name = decoderNameFor(charset);
        if (QStringDecoder(name.constData()).isValid()) {
            return decodeWhole(name.constData(), body);
        }
        // A charset nobody knows is treated as if it were absent.
    }
    return decodeWhole(encodingOfBom(body).value_or(QStringConverter::Utf8), body);
}

}  // namespace vantrel
