#include "http/wire_url.h"

#include "base/percent_escape.h"

namespace vantrel {

QByteArray toWireUrl(const QString& url) {
    const QByteArray utf8 = url.toUtf8();
    QByteArray wire;
    wire.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            appendPercentEscape(wire, byte);
        } else {
            wire += c;
        }
    }
    return wire;
}

}  // namespace vantrel
