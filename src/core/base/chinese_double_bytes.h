#pragma once

// GBK and Big5 both write a Chinese character as two bytes above 0x80, and nearly every Big5
// pair is a GBK pair too: a Big5 text or name reads without error as GBK, as nonsense. Read in
// its own charset, a text lands mostly among that charset's commonest characters; read in the
// other, mostly among rare ones and kana. This counts which reading lands there more often.
#include <QByteArrayView>

namespace vantrel {

enum class ChineseCharset { Gbk, Big5, Undecided };

ChineseCharset likelierChineseCharset(QByteArrayView bytes);

// Whether the bytes above 0x7F read as Chinese at all: at least half their characters are
// among the commonest in GBK or in Big5. Text in a Western or other single-byte charset
// scatters over rare characters in both.
bool readsAsChinese(QByteArrayView bytes);

}  // namespace vantrel
