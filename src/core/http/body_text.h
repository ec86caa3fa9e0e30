#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

// The text of a response body: decoded by the charset that the Content-Type names (any name ICU
// knows), else by a byte-order mark (UTF-8, UTF-16 LE/BE), else as UTF-8. Bytes that do not decode
// become U+FFFD; decoding never fails.
QString decodeBodyText(const QByteArray& body, const QByteArray& contentType);

}  // namespace vantrel
