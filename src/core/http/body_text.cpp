#include "http/body_text.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <utility>

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

// The decoder a byte-order mark at the start of the body asks for; UTF-8 without one.
QByteArray encodingOfBom(const QByteArray& body) {
    if (body.startsWith("\xFF\xFE")) {
        return QByteArrayLiteral("UTF-16LE");
    }
    if (body.startsWith("\xFE\xFF")) {
        return QByteArrayLiteral("UTF-16BE");
    }
    return QByteArrayLiteral("UTF-8");
}

// What a decoder that has read the whole text still holds: a sequence cut off at the end becomes
// one U+FFFD. The decoder keeps it pending, and NUL bytes, which continue no multibyte sequence,
// then bring it out. (Stateless decoding drops it for the charsets ICU provides, and gives one
// U+FFFD a byte for UTF-8.)
bool endsInCutSequence(QStringDecoder& decoder, const char* name) {
    const QByteArray nulBytes(4, '\0');
    return QString(decoder.decode(nulBytes)) != QString(QStringDecoder(name).decode(nulBytes));
}

// The most bytes the first choice of a decoder waits for: the longest byte-order mark.
constexpr qsizetype kMarkBytes = 3;

}  // namespace

QString decodeBodyText(const QByteArray& body, const QByteArray& contentType) {
    BodyTextDecoder decoder(contentType, body.size());
    decoder.append(body);
    return decoder.finish();
}

BodyTextDecoder::BodyTextDecoder(QByteArray contentType, qint64 expectedBytes)
    : contentType_(std::move(contentType)), expectedBytes_(expectedBytes) {}

void BodyTextDecoder::chooseDecoder() {
    const QByteArray charset = charsetOf(contentType_);
    if (!charset.isEmpty()) {
        decoderName_ = decoderNameFor(charset);
        // A charset nobody knows is treated as if it were absent.
        if (!QStringDecoder(decoderName_.constData()).isValid()) {
            decoderName_.clear();
        }
    }
    if (decoderName_.isEmpty()) {
        decoderName_ = encodingOfBom(held_);  // an initial mark is dropped by the decoder
    }
    decoder_ = QStringDecoder(decoderName_.constData());
    piecewise_ =
        QStringConverter::encodingForName(decoderName_.constData()) == QStringConverter::Utf8;
    // UTF-8 gives at most one UTF-16 unit a byte.
    if (expectedBytes_ > 0) {
        if (piecewise_) {
            text_.reserve(static_cast<qsizetype>(expectedBytes_) + kMarkBytes);
        } else {
            held_.reserve(static_cast<qsizetype>(expectedBytes_));
        }
    }
}

void BodyTextDecoder::append(QByteArrayView bytes) {
    if (decoderName_.isEmpty()) {
        held_.append(bytes);
        if (held_.size() < kMarkBytes) {
            return;
        }
        chooseDecoder();
        if (piecewise_) {
            const QByteArray first = std::exchange(held_, QByteArray());
            decodeToLastAscii(first);
        }
    } else if (piecewise_) {
        decodeToLastAscii(bytes);
    } else {
        held_.append(bytes);
    }
}

// Behind an ASCII byte no UTF-8 sequence is open, and the text that follows decodes exactly as in
// one go (Qt's decoder, fed a sequence in two pieces, does not always). So each piece is decoded
// up to its last ASCII byte, and the bytes behind it wait for the next piece.
void BodyTextDecoder::decodeToLastAscii(QByteArrayView bytes) {
    const auto isAscii = [](char byte) { return static_cast<unsigned char>(byte) < 0x80; };
    const auto lastAscii = std::find_if(bytes.rbegin(), bytes.rend(), isAscii);
    if (lastAscii == bytes.rend()) {
        held_.append(bytes);
        return;
    }
    qsizetype from = 0;
    if (!held_.isEmpty()) {
        from = std::find_if(bytes.begin(), bytes.end(), isAscii) - bytes.begin() + 1;
        held_.append(bytes.first(from));
        decode(held_);
        held_.clear();
    }
    const qsizetype to = bytes.rend() - lastAscii;
    decode(bytes.sliced(from, to - from));
    held_.append(bytes.sliced(to));
}

void BodyTextDecoder::decode(QByteArrayView bytes) {
    if (bytes.isEmpty()) {
        return;
    }
    const qsizetype at = text_.size();
    text_.resize(at + decoder_.requiredSpace(bytes.size()));  // within the reserved room
    const QChar* const end = decoder_.appendToBuffer(text_.data() + at, bytes);
    text_.resize(end - text_.constData());
}

QString BodyTextDecoder::finish() {
    if (decoderName_.isEmpty()) {
        chooseDecoder();  // fewer bytes than a mark
    }
    if (piecewise_) {
        decode(held_);
    } else {
        text_ = decoder_.decode(held_);
    }
    held_ = QByteArray();
    if (endsInCutSequence(decoder_, decoderName_.constData())) {
        text_ += QChar(QChar::ReplacementCharacter);
    }
    return std::move(text_);
}

}  // namespace vantrel
