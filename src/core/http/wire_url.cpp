#include "http/wire_url.h"

namespace vantrel {

QByteArray toWireUrl(const QString& url) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray utf8 = url.toUtf8();
    QByteArray wire;
    wire.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            wire += '%';
            wire += kHex[byte >> 4];
            wire += kHex[byte & 0x0F];
        } else {
            wire += c;
        }
    }
    return wire;
}

}  // namespace vantrel
