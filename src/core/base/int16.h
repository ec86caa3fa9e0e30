#pragma once

#include "base/app_error.h"

#include <QtGlobal>

#include <limits>

namespace vantrel {

// The page number and the row numbers the window handles are signed 16-bit values. Going past
// their range is an overflow error, raised before anything changes.
inline qint16 toInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        throw overflowError();
    }
    return static_cast<qint16>(value);
}

inline qint16 addInt16(qint16 value, int delta) {
    return toInt16(static_cast<qint64>(value) + delta);
}

}  // namespace vantrel
