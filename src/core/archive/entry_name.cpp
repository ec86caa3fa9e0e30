#include "archive/entry_name.h"

#include "base/iconv_converter.h"

#include <QStringDecoder>

#include <uchardet.h>

#include <memory>
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

bool detectedAsBig5(QByteArrayView raw) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (uchardet_handle_data(detector.get(), raw.data(), static_cast<size_t>(raw.size())) != 0) {
        return false;
    }
    uchardet_data_end(detector.get());
    return qstrnicmp(uchardet_get_charset(detector.get()), "BIG5", 4) == 0;
}

QString decoded(QByteArrayView raw) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError()) {
        return text;
    }
    // Big5's double bytes are nearly all GBK ones too: where both read, the detector decides.
    std::optional<QString> gb = strictly(raw, "GB18030");
    std::optional<QString> big5 = strictly(raw, "BIG5");
    if (big5 && (!gb || detectedAsBig5(raw))) {
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
