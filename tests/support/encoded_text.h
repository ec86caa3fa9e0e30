#pragma once

// Texts in the charsets subtitles come in, for tests and benchmarks to build their files from.
#include <QByteArray>
#include <QString>

#include <iconv.h>

namespace vantrel::testing {

// `text` in `charset` (an iconv name: "GBK", "BIG5", "UTF-16LE"...); characters the charset
// lacks are left out.
inline QByteArray encodedAs(const QString& text, const char* charset) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 4 + 4, '\0');
    iconv_t handle = iconv_open(charset, "UTF-8");
    char* in = const_cast<char*>(utf8.constData());
    size_t inLeft = static_cast<size_t>(utf8.size());
    char* to = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    iconv(handle, &in, &inLeft, &to, &outLeft);
    iconv_close(handle);
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

}  // namespace vantrel::testing
