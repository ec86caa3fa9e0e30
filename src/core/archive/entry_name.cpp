#include "archive/entry_name.h"

#include "base/chinese_double_bytes.h"
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

QString decoded(QByteArrayView raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError()) {
        return text;
    }
    // Big5's double bytes are nearly all GBK ones too: where both read, GBK unless Big5 reads
    // as the commoner characters.
    std::optional<QString> gb = strictly(raw, "GB18030");
    std::optional<QString> big5 = strictly(raw, "BIG5");
    if (big5 && (!gb || likelierChineseCharset(raw) == ChineseCharset::Big5)) {
        return *big5;
    }
    return gb ? *gb : text;
}

}  // namespace

QString decodeEntryName(QByteArrayView raw) {
    QString name = decoded(raw);
    // Archives made from a folder with `tar -cf x.tar .` name every entry ./NAME: the same entry.
    while (name.startsWith(QLatin1String("./"))) {
        name.remove(0, 2);
    }
    for (QChar& unit : name) {
        if (unit.category() == QChar::Other_Control) {
            unit = QChar::ReplacementCharacter;
        }
    }
    return name;
}

}  // namespace vantrel
