#include "base/text_search.h"

#include <algorithm>
#include <cstdint>

namespace vantrel {

qsizetype findText(QStringView text, QStringView needle, qsizetype from) {
    const qsizetype length = needle.size();
    const char16_t* const units = text.utf16();
    const char16_t* const wanted = needle.utf16();
    const qsizetype starts = text.size() - length + 1;  // where a match can start
    if (length < 2 || from < 0) {
        return text.indexOf(needle, std::max<qsizetype>(from, 0));
    }
    // Four units of the needle, its two first and two last, sift a block of starts at a time with
    // no branch, which the compiler vectorises: the tags of a page share their first and last
    // characters, rarely all four. Only a block that passes is looked at start by start.
    const char16_t first = wanted[0], second = wanted[1];
    const char16_t beforeLast = wanted[length - 2], last = wanted[length - 1];
    const auto matches = [&](qsizetype at) {
        return std::equal(wanted, wanted + length, units + at);
    };
    constexpr qsizetype kBlock = 32;
    qsizetype at = from;
    for (; at + kBlock <= starts; at += kBlock) {
        std::uint16_t passed = 0;
        for (qsizetype k = at; k < at + kBlock; ++k) {
            passed |= static_cast<std::uint16_t>((units[k] == first) & (units[k + 1] == second) &
                                                 (units[k + length - 2] == beforeLast) &
                                                 (units[k + length - 1] == last));
        }
        if (passed != 0) {
            for (qsizetype k = at; k < at + kBlock; ++k) {
                if (matches(k)) {
                    return k;
                }
            }
        }
    }
    for (; at < starts; ++at) {
        if (matches(at)) {
            return at;
        }
    }
    return -1;
}

}  // namespace vantrel
