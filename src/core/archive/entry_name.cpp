#include "archive/entry_name.h"

#include "base/iconv_converter.h"

#include <QStringDecoder>

#include <optional>

namespace vantrel {
namespace {

std::optional<QString> strictly(QByteArrayView raw, const char* charset) {
    QByteArray utf8;
    if (!IconvConverter(charset).convert(raw, utf8)) {
        return std::nullopt;
    }
    return QString::fromUtf8(utf8);
}

// How many double bytes fall among the charset's commonest characters: GB2312's first level
// (leads 0xB0-0xD7) for GBK, Big5's frequent characters (leads 0xA4-0xC6) for Big5. A name
// read in the wrong one of the two lands mostly among rare characters and kana.
int commonCharacters(QByteArrayView raw, bool big5) {
    int common = 0;
    for (qsizetype i = 0; i < raw.size();) {
        const auto lead = static_cast<unsigned char>(raw[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const auto trail = i + 1 < raw.size() ? static_cast<unsigned char>(raw[i + 1]) : 0;
        if (big5) {
            common += lead >= 0xA4 && lead <= 0xC6 ? 1 : 0;
        } else {
            common += lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 ? 1 : 0;
        }
        // GB18030's four-byte forms have a digit second.
        i += !big5 && trail >= '0' && trail <= '9' ? 4 : 2;
    }
    return common;
}

QString decoded(QByteArrayView raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError()) {
        return text;
    }
    // Big5's double bytes are nearly all GBK ones too: where both read, the one that reads more
    // common characters wins, GBK on a tie.
    std::optional<QString> gb = strictly(raw, "GB18030");
    std::optional<QString> big5 = strictly(raw, "BIG5");
    if (big5 && (!gb || commonCharacters(raw, true) > commonCharacters(raw, false))) {
        return *big5;
    }
    return gb ? *gb : text;
}

}  // namespace

QString decodeEntryName(QByteArrayView raw) {
    QString name = decoded(raw);
    for (QChar& unit : name) {
        if (unit.category() == QChar::Other_Control) {
            unit = QChar::ReplacementCharacter;
        }
    }
    return name;
}

}  // namespace vantrel
