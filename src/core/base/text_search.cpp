#include "base/text_search.h"

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

qsizetype findText(QStringView text, QStringView needle, qsizetype from) {
    const qsizetype length = needle.size();
    if (length < 2 || from < 0) {
        return text.indexOf(needle, std::max<qsizetype>(from, 0));
    }
    const char16_t* const units = text.utf16();
    const char16_t* const wanted = needle.utf16();
    const char16_t first = wanted[0];
    const char16_t last = wanted[length - 1];
    const auto matches = [&](qsizetype at) {
        return units[at] == first && units[at + length - 1] == last &&
               std::equal(wanted + 1, wanted + length - 1, units + at + 1);
    };
    const qsizetype starts = text.size() - length + 1;  // where a match can start
    qsizetype at = from;
    // Eight starts at a time are sifted by the needle's first and last units together: the tags
    // of a page share their first characters, rarely also their last one at the same distance.
#if defined(__SSE2__)
    const __m128i firsts = _mm_set1_epi16(static_cast<short>(first));
    const __m128i lasts = _mm_set1_epi16(static_cast<short>(last));
    for (; at + 8 <= starts; at += 8) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at));
        const __m128i tails =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + at + length - 1));
        unsigned passed = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(heads, firsts), _mm_cmpeq_epi16(tails, lasts))));
        while (passed != 0) {
            const int bit = __builtin_ctz(passed);  // two mask bits a unit
            if (matches(at + bit / 2)) {
                return at + bit / 2;
            }
            passed &= ~(3u << bit);
        }
    }
#endif
    for (; at < starts; ++at) {
        if (matches(at)) {
            return at;
        }
    }
    return -1;
}

}  // namespace vantrel
