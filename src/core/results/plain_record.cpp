#include "results/plain_record.h"

#include "xml/xml_characters.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

using xml::isAsciiNamePart;
using xml::isAsciiNameStart;

// XML's blanks but the carriage return: a record that holds one is left to the loader, which
// turns it into a line feed.
bool isBlank(char16_t c) {
    return c != '\r' && xml::isXmlSpace(c);
}

bool isPlainName(std::u16string_view name) {
    return !name.empty() && isAsciiNameStart(name.front()) &&
           std::all_of(name.begin() + 1, name.end(), isAsciiNamePart);
}

// A cursor over the units of one record; every step fails at the end of the text.
class Units {
public:
    explicit Units(QStringView text) : at_(text.utf16()), end_(text.utf16() + text.size()) {}

    bool atEnd() const { return at_ == end_; }
    const char16_t* position() const { return at_; }
    bool take(char16_t c) {
        if (at_ == end_ || *at_ != c) {
            return false;
        }
        ++at_;
        return true;
    }
    bool take(std::u16string_view text) {
        if (static_cast<size_t>(end_ - at_) < text.size() ||
            !std::equal(text.begin(), text.end(), at_)) {
            return false;
        }
        at_ += text.size();
        return true;
    }
    void skipBlanks() {
        while (at_ != end_ && isBlank(*at_)) {
            ++at_;
        }
    }
    std::u16string_view name() {
        const char16_t* const start = at_;
        if (at_ != end_ && isAsciiNameStart(*at_)) {
            ++at_;
            while (at_ != end_ && isAsciiNamePart(*at_)) {
                ++at_;
            }
        }
        return std::u16string_view(start, static_cast<size_t>(at_ - start));
    }
    // Plain text up to the next '<'; false at anything the loader would read otherwise or refuse:
    // a reference, a carriage return, "]]>", a character XML does not allow. Texts are most of a
    // record: where SSE2 is at hand, eight units at a time are searched for the few that need a
    // closer look.
    bool skipPlainText() {
        for (;;) {
#if defined(__SSE2__)
            const __m128i lt = _mm_set1_epi16('<');
            const __m128i amp = _mm_set1_epi16('&');
            const __m128i bracket = _mm_set1_epi16(']');
            const __m128i zero = _mm_setzero_si128();
            const __m128i lastControl = _mm_set1_epi16(0x1F);
            const __m128i surrogateBase = _mm_set1_epi16(static_cast<short>(0xD800));
            const __m128i lastSurrogate = _mm_set1_epi16(0x7FF);
            const __m128i lastAllowed = _mm_set1_epi16(static_cast<short>(0xFFFD));
            while (end_ - at_ >= 8) {
                const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at_));
                // Unsigned comparisons by saturating subtraction: a - b is 0 exactly when a <= b.
                const __m128i control = _mm_cmpeq_epi16(_mm_subs_epu16(units, lastControl), zero);
                const __m128i surrogate = _mm_cmpeq_epi16(
                    _mm_subs_epu16(_mm_sub_epi16(units, surrogateBase), lastSurrogate), zero);
                const __m128i notCharacter =
                    _mm_andnot_si128(_mm_cmpeq_epi16(_mm_subs_epu16(units, lastAllowed), zero),
                                     _mm_cmpeq_epi16(zero, zero));
                const int found = _mm_movemask_epi8(_mm_or_si128(
                    _mm_or_si128(
                        _mm_or_si128(_mm_cmpeq_epi16(units, lt), _mm_cmpeq_epi16(units, amp)),
                        _mm_or_si128(_mm_cmpeq_epi16(units, bracket), control)),
                    _mm_or_si128(surrogate, notCharacter)));
                if (found != 0) {
                    at_ += __builtin_ctz(static_cast<unsigned>(found)) / 2;  // two bits a unit
                    break;
                }
                at_ += 8;
            }
#endif
            if (at_ == end_ || *at_ == '<') {
                return true;
            }
            const char16_t c = *at_;
            if (c == '&' || (c < 0x20 && c != '\t' && c != '\n') || c >= 0xFFFE ||
                (c == ']' && end_ - at_ >= 3 && at_[1] == ']' && at_[2] == '>')) {
                return false;
            }
            if (c >= 0xD800 && c < 0xE000) {
                // Only a high surrogate followed by a low one.
                if (c >= 0xDC00 || end_ - at_ < 2 || at_[1] < 0xDC00 || at_[1] >= 0xE000) {
                    return false;
                }
                ++at_;
            }
            ++at_;
        }
    }

private:
    const char16_t* at_;
    const char16_t* end_;
};

// A plain text holds no carriage return: its blanks are spaces, tabs and line feeds.
QStringView trimmed(const char16_t* begin, const char16_t* end) {
    while (begin != end && isBlank(*begin)) {
        ++begin;
    }
    while (end != begin && isBlank(end[-1])) {
        --end;
    }
    return QStringView(begin, end);
}

}  // namespace

PlainRecordReader::PlainRecordReader(std::u16string recordName,
                                     const std::vector<std::string>& fieldNames)
    : recordName_(std::move(recordName)) {
    for (const std::string& name : fieldNames) {
        // Plain names are ASCII: any other name matches no element of a plain record.
        std::u16string units(name.begin(), name.end());
        const bool ascii = std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        fieldNames_.push_back(ascii && isPlainName(units) ? units : std::u16string());
        usable_ = usable_ && name != std::string(recordName_.begin(), recordName_.end());
    }
}

bool PlainRecordReader::read(QStringView record, QStringView* texts) const {
    if (!usable_) {
        return false;
    }
    std::fill(texts, texts + fieldNames_.size(), QStringView());
    Units units(record);
    if (!units.take(u'<') || !units.take(recordName_) || !units.take(u'>')) {
        return false;
    }
    for (;;) {
        units.skipBlanks();
        if (!units.take(u'<')) {
            return false;  // text beside the elements, or the end without the closing tag
        }
        if (units.take(u'/')) {
            return units.take(recordName_) && units.take(u'>') && units.atEnd();
        }
        const std::u16string_view name = units.name();
        if (name.empty()) {
            return false;  // a comment, an instruction, CDATA or no name at all
        }
        const char16_t* textStart = nullptr;
        const char16_t* textEnd = nullptr;
        if (units.take(u'/')) {
            if (!units.take(u'>')) {
                return false;
            }
            textStart = textEnd = units.position();
        } else {
            if (!units.take(u'>')) {
                return false;  // an attribute, or blanks before '>'
            }
            textStart = units.position();
            if (!units.skipPlainText()) {
                return false;
            }
            textEnd = units.position();
            if (!units.take(u"</") || !units.take(name) || !units.take(u'>')) {
                return false;  // a nested element, or a closing tag of another name
            }
        }
        for (size_t i = 0; i < fieldNames_.size(); ++i) {
            if (texts[i].isNull() && fieldNames_[i] == name) {
                texts[i] = trimmed(textStart, textEnd);
            }
        }
    }
}

}  // namespace vantrel
