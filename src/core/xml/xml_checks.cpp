#include "xml/xml_checks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vantrel::xml {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isXmlChar(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Whether unit `at` of text is a character XML allows, or half of a surrogate pair.
bool isAllowedUnit(const char16_t* text, size_t size, size_t at) {
    const char16_t c = text[at];
    if (c < 0x20) {
        return c == '\t' || c == '\n' || c == '\r';
    }
    if (isHighSurrogate(c)) {
        return at + 1 < size && isLowSurrogate(text[at + 1]);
    }
    if (isLowSurrogate(c)) {
        return at > 0 && isHighSurrogate(text[at - 1]);
    }
    return c < 0xFFFE;
}

// Whether the reference at text[0] == '&' is one XML knows without a DTD.
bool isKnownReference(std::string_view text) {
    const size_t end = text.find(';');
    if (end == std::string_view::npos) {
        return false;
    }
    const std::string_view name = text.substr(1, end - 1);
    if (name == "lt" || name == "gt" || name == "amp" || name == "apos" || name == "quot") {
        return true;
    }
    if (name.size() < 2 || name[0] != '#') {
        return false;
    }
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) {
        return false;
    }
    unsigned long code = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return false;
        }
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
        if (code > 0x10FFFF) {
            return false;
        }
    }
    return isXmlChar(code);
}

// Skips the quoted value at text[at] and checks it. Returns the position behind it, or npos.
size_t skipAttributeValue(std::string_view text, size_t at) {
    const std::optional<std::string_view> value = quotedValue(text, at);
    if (!value) {
        return std::string_view::npos;
    }
    for (size_t i = 0; i < value->size(); ++i) {
        const char c = (*value)[i];
        if (c == '<' || (c == '&' && !isKnownReference(value->substr(i)))) {
            return std::string_view::npos;
        }
    }
    return at + value->size() + 2;
}

}  // namespace

std::optional<std::string_view> quotedValue(std::string_view text, size_t at) {
    if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) {
        return std::nullopt;
    }
    const size_t close = text.find(text[at], at + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return text.substr(at + 1, close - at - 1);
}

bool hasOnlyXmlCharacters(QStringView text) {
    const char16_t* const units = text.utf16();
    const size_t size = static_cast<size_t>(text.size());
    // Blocks of plain text pass with a few comparisons a unit, which the compiler vectorises
    // (the fixed block length lets it); only a block with a suspect unit is looked at closely.
    // Tabs and line breaks are suspects too: rare enough in records to keep the test simple.
    const auto suspect = [units](size_t from, size_t length) {
        // Sixteen-bit lanes throughout, so that a vector holds as many units as it can.
        std::uint16_t found = 0;
        for (size_t i = from; i < from + length; ++i) {
            const std::uint16_t c = units[i];
            const std::uint16_t surrogateOffset = static_cast<std::uint16_t>(c - 0xD800u);
            found |= static_cast<std::uint16_t>((c < 0x20u) | (surrogateOffset < 0x800u) |
                                                (c >= 0xFFFEu));
        }
        return found != 0;
    };
    const auto allowed = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            if (!isAllowedUnit(units, size, i)) {
                return false;
            }
        }
        return true;
    };
    constexpr size_t kBlock = 32;
    size_t start = 0;
    for (; start + kBlock <= size; start += kBlock) {
        if (suspect(start, kBlock) && !allowed(start, start + kBlock)) {
            return false;
        }
    }
    return !suspect(start, size - start) || allowed(start, size);
}

bool needsRawMarkupCheck(std::string_view text) {
    if (std::memchr(text.data(), '&', text.size()) != nullptr) {
        return true;
    }
    // "]]>" by its rare first character: the standard search steps byte by byte here.
    const char* const end = text.data() + text.size();
    for (const char* at = text.data();
         (at = static_cast<const char*>(std::memchr(at, ']', static_cast<size_t>(end - at))));
         ++at) {
        if (end - at >= 3 && at[1] == ']' && at[2] == '>') {
            return true;
        }
    }
    return false;
}

bool rawMarkupIsWellFormed(std::string_view text) {
    if (!needsRawMarkupCheck(text)) {
        return true;
    }
    // A light reading of the markup; where it runs into broken markup, the parser refuses the
    // text anyway.
    size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == '&') {
            if (!isKnownReference(text.substr(at))) {
                return false;
            }
            ++at;
            continue;
        }
        if (c == ']' && startsWith(text.substr(at), "]]>")) {
            return false;  // in character data
        }
        if (c != '<') {
            ++at;
            continue;
        }
        const std::string_view rest = text.substr(at);
        if (startsWith(rest, "<!--")) {
            at = text.find("-->", at + 4);
            at = at == std::string_view::npos ? at : at + 3;
        } else if (startsWith(rest, "<![CDATA[")) {
            at = text.find("]]>", at + 9);
            at = at == std::string_view::npos ? at : at + 3;
        } else if (startsWith(rest, "<?")) {
            at = text.find("?>", at + 2);
            at = at == std::string_view::npos ? at : at + 2;
        } else {
            // A tag or a document type: up to its '>', past quoted values. The literals of a
            // document type may hold any character.
            const bool tag = rest.size() < 2 || rest[1] != '!';
            for (++at; at < text.size() && text[at] != '>';) {
                if (text[at] == '"' || text[at] == '\'') {
                    const std::optional<std::string_view> literal = quotedValue(text, at);
                    at = tag || !literal ? skipAttributeValue(text, at) : at + literal->size() + 2;
                    if (at == std::string_view::npos) {
                        return false;
                    }
                } else {
                    ++at;
                }
            }
        }
    }
    return true;
}

bool declarationIsWellFormed(std::string_view text) {
    if (startsWith(text, "\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    if (!startsWith(text, "<?xml") || text.size() < 6 || !(isXmlSpace(text[5]) || text[5] == '?')) {
        return true;  // no declaration; an instruction "xml..." is checked as such
    }
    const size_t end = text.find("?>");
    if (end == std::string_view::npos) {
        return false;
    }
    std::string_view rest = text.substr(5, end - 5);
    // Pseudo-attributes in their fixed order; each is led by blanks.
    const auto attribute = [&rest](std::string_view name, std::string_view& value) {
        size_t at = 0;
        while (at < rest.size() && isXmlSpace(rest[at])) {
            ++at;
        }
        if (at == 0 || !startsWith(rest.substr(at), name)) {
            return false;
        }
        at += name.size();
        while (at < rest.size() && isXmlSpace(rest[at])) {
            ++at;
        }
        if (at >= rest.size() || rest[at] != '=') {
            return false;
        }
        ++at;
        while (at < rest.size() && isXmlSpace(rest[at])) {
            ++at;
        }
        const std::optional<std::string_view> quoted = quotedValue(rest, at);
        if (!quoted) {
            return false;
        }
        value = *quoted;
        rest.remove_prefix(at + value.size() + 2);
        return true;
    };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::string_view value;
    if (!attribute("version", value) || value.size() < 3 || !startsWith(value, "1.")) {
        return false;
    }
    for (const char c : value.substr(2)) {
        if (!isDigit(c)) {
            return false;
        }
    }
    if (attribute("encoding", value)) {
        if (value.empty() || !isLetter(value[0])) {
            return false;
        }
        for (const char c : value) {
            if (!isLetter(c) && !isDigit(c) && c != '.' && c != '_' && c != '-') {
                return false;
            }
        }
    }
    if (attribute("standalone", value) && value != "yes" && value != "no") {
        return false;
    }
    for (const char c : rest) {
        if (!isXmlSpace(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace vantrel::xml
