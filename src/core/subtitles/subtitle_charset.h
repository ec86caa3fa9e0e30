#pragma once

// A subtitle's text to UTF-8 without a byte-order mark: UTF-8 (with or without a mark) and UTF-16
// (with one) by their marks and form, GB18030 (so GBK and GB2312) and Big5 and anything else the
// detector names by its reading of the dialogue alone.
#include "subtitles/subtitle_formats.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

#include <vector>

namespace vantrel {

struct TextEncoding {
    QByteArray charset;   // an iconv name; "UTF-8" is copied as it is
    qsizetype skip = 0;   // bytes of a byte-order mark at the start
    bool mended = false;  // UTF-8 but for a few stray bytes, which become U+FFFD
};

// The charsets to try, likeliest first. Empty when the bytes are no text: NUL bytes without a
// UTF-16 mark (a VobSub .sub without its .idx, say). A `cut` text may end inside a character.
std::vector<TextEncoding> likelyEncodings(QByteArrayView text, SubtitleFormat format,
                                          bool cut = false);

enum class TextWrite { Written, CannotDecode, WriteFailed };

// Writes the whole text to `out` (from its start, which it truncates) as UTF-8 without a mark,
// in the first of likelyEncodings() that reads every byte of it, a block at a time.
TextWrite writeAsUtf8(QByteArrayView text, SubtitleFormat format, QFileDevice& out);

// The start of a text cut anywhere, read in its likeliest charset to look at; bytes that do not
// read are dropped.
QString decodeSample(QByteArrayView sample, SubtitleFormat format);

}  // namespace vantrel
