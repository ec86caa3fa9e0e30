#pragma once

// A strict charset conversion through the C library's iconv: any byte sequence the charset does
// not define fails the conversion rather than turning into a replacement character.
#include <QByteArray>
#include <QByteArrayView>

#include <functional>

#include <iconv.h>

namespace vantrel {

class IconvConverter {
public:
    // From `from` (an iconv name such as "GB18030" or "BIG5") to UTF-8.
    explicit IconvConverter(const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool valid() const { return handle_ != invalid(); }

    // Converts the whole of `input`, handing the UTF-8 to `sink` in blocks of a fixed size, so
    // that no copy of the whole text is made. False on a sequence the charset does not define or
    // one cut off at the end, or when `sink` returns false.
    bool convert(QByteArrayView input, const std::function<bool(QByteArrayView)>& sink);
    bool convert(QByteArrayView input, QByteArray& output);

    // For a text cut anywhere, to look at: bytes that do not convert are dropped, and so is a
    // sequence cut off at the end.
    QByteArray convertLeniently(QByteArrayView input);

private:
    bool run(QByteArrayView input, bool lenient, const std::function<bool(QByteArrayView)>& sink);
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t handle_;
};

}  // namespace vantrel
