#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace vantrel {

// The text of a response body: decoded by the charset that the Content-Type names (any name ICU
// knows), else by a byte-order mark (UTF-8, UTF-16 LE/BE), else as UTF-8. Bytes that do not decode
// become U+FFFD; decoding never fails.
QString decodeBodyText(const QByteArray& body, const QByteArray& contentType);

// The same text, decoded while the body arrives: a UTF-8 body (what the site sends) is decoded
// piece by piece into one text that grows in place, so that its bytes are never held whole. Other
// charsets keep the bytes and decode them at the end, which is the only way their decoders give
// the text that decodeBodyText gives.
class BodyTextDecoder {
public:
    // contentType: of the reply whose body follows; expectedBytes: the length it announced, or -1.
    BodyTextDecoder(QByteArray contentType, qint64 expectedBytes);

    void append(QByteArrayView bytes);
    // The text of all the bytes appended. Call once, last.
    QString finish();

private:
    void chooseDecoder();
    void decodeToLastAscii(QByteArrayView bytes);
    void decode(QByteArrayView bytes);

    QByteArray contentType_;
    qint64 expectedBytes_;
    QByteArray decoderName_;  // empty until the first bytes have chosen it
    bool piecewise_ = false;
    QStringDecoder decoder_;
    QByteArray held_;                     // bytes not decoded yet
    QString text_{0, Qt::Uninitialized};  // empty, not null: as decoding no bytes gives
};

}  // namespace vantrel
