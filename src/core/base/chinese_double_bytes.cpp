#include "base/chinese_double_bytes.h"

#include <algorithm>

namespace vantrel {
namespace {

// How many double bytes fall among the charset's commonest characters: GB2312's first level
// (leads 0xB0-0xD7, second bytes from 0xA1) for GBK, Big5's frequent characters (leads
// 0xA4-0xC6) for Big5.
qsizetype commonCharacters(QByteArrayView bytes, bool big5, qsizetype* characters = nullptr) {
    qsizetype common = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        if (big5) {
            common += lead >= 0xA4 && lead <= 0xC6 ? 1 : 0;
        } else {
            common += lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 ? 1 : 0;
        }
        // GB18030's four-byte forms have a digit second.
        i += !big5 && trail >= '0' && trail <= '9' ? 4 : 2;
        if (characters != nullptr) {
            ++*characters;
        }
    }
    return common;
}

}  // namespace

ChineseCharset likelierChineseCharset(QByteArrayView bytes) {
    const qsizetype gbk = commonCharacters(bytes, false);
    const qsizetype big5 = commonCharacters(bytes, true);
    return gbk > big5   ? ChineseCharset::Gbk
           : big5 > gbk ? ChineseCharset::Big5
                        : ChineseCharset::Undecided;
}

bool readsAsChinese(QByteArrayView bytes) {
    qsizetype characters = 0;
    const qsizetype gbk = commonCharacters(bytes, false, &characters);
    const qsizetype big5 = commonCharacters(bytes, true);
    return characters > 0 && 2 * std::max(gbk, big5) >= characters;
}

}  // namespace vantrel
