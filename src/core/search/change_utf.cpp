#include "search/change_utf.h"

namespace vantrel {

namespace {

void appendGroup(QString& out, unsigned byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    out += QLatin1Char('%');
    out += QLatin1Char(digits[(byte >> 4) & 0xF]);
    out += QLatin1Char(digits[byte & 0xF]);
}

}  // namespace

QString ChangeUtf(const QString& text) {
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar unit : text) {
        const unsigned u = unit.unicode();
        if (u < 0x80) {
            out += unit;
        } else if (u < 0x800) {
            appendGroup(out, (u >> 6) | 0xC0);
            appendGroup(out, (u & 0x3F) | 0x80);
        } else {
            appendGroup(out, (u >> 12) | 0xE0);
            appendGroup(out, ((u >> 6) & 0x3F) | 0x80);
            appendGroup(out, (u & 0x3F) | 0x80);
        }
    }
    return out;
}

}  // namespace vantrel
