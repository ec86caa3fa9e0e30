#include "search/change_utf.h"

#include "base/percent_escape.h"

namespace vantrel {

QString ChangeUtf(const QString& text) {
    QString out;
    out.reserve(text.size() * 3);
    for (const QChar unit : text) {
        const unsigned u = unit.unicode();
        if (u < 0x80) {
            out += unit;
        } else if (u < 0x800) {
            appendPercentEscape(out, (u >> 6) | 0xC0);
            appendPercentEscape(out, (u & 0x3F) | 0x80);
        } else {
            appendPercentEscape(out, (u >> 12) | 0xE0);
            appendPercentEscape(out, ((u >> 6) & 0x3F) | 0x80);
            appendPercentEscape(out, (u & 0x3F) | 0x80);
        }
    }
    return out;
}

}  // namespace vantrel
