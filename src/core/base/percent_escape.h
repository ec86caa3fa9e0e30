#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>

#include <array>

namespace vantrel {

// The one form every escape of ours takes: "%" and the byte in two upper-case hex digits, as the
// site and the browser read them alike.
inline std::array<char, 3> percentEscape(unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {'%', kHex[byte >> 4], kHex[byte & 0x0F]};
}

inline void appendPercentEscape(QString& out, unsigned char byte) {
    const std::array<char, 3> escape = percentEscape(byte);
    out += QLatin1String(escape.data(), escape.size());
}

inline void appendPercentEscape(QByteArray& out, unsigned char byte) {
    const std::array<char, 3> escape = percentEscape(byte);
    out.append(escape.data(), escape.size());
}

}  // namespace vantrel
