#include "base/iconv_converter.h"

#include <array>
#include <cerrno>

namespace vantrel {

IconvConverter::IconvConverter(const char* from) : handle_(iconv_open("UTF-8", from)) {}

IconvConverter::~IconvConverter() {
    if (valid()) {
        iconv_close(handle_);
    }
}

bool IconvConverter::convert(QByteArrayView input,
                             const std::function<bool(QByteArrayView)>& sink) {
    return run(input, false, sink);
}

QByteArray IconvConverter::convertLeniently(QByteArrayView input) {
    QByteArray output;
    run(input, true, [&output](QByteArrayView piece) {
        output.append(piece);
        return true;
    });
    return output;
}

bool IconvConverter::run(QByteArrayView input, bool lenient,
                         const std::function<bool(QByteArrayView)>& sink) {
    if (!valid()) {
        return false;
    }
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    // iconv's interface takes a non-const input pointer; it never writes through it.
    char* in = const_cast<char*>(input.data());
    size_t inLeft = static_cast<size_t>(input.size());
    std::array<char, 64 * 1024> block{};
    while (inLeft > 0) {
        char* out = block.data();
        size_t outLeft = block.size();
        const size_t done = iconv(handle_, &in, &inLeft, &out, &outLeft);
        const int error = errno;  // before the sink, whose writes may change errno
        const auto produced = static_cast<qsizetype>(block.size() - outLeft);
        if (produced > 0 && !sink(QByteArrayView(block.data(), produced))) {
            return false;
        }
        if (done != static_cast<size_t>(-1) || error == E2BIG) {
            continue;
        }
        if (!lenient || error != EILSEQ) {
            return lenient;  // EINVAL: a sequence cut off at the end
        }
        ++in;  // a byte the charset does not define
        --inLeft;
    }
    return true;
}

bool IconvConverter::convert(QByteArrayView input, QByteArray& output) {
    return convert(input, [&output](QByteArrayView piece) {
        output.append(piece);
        return true;
    });
}

}  // namespace vantrel
