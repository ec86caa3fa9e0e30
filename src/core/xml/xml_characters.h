#pragma once

// The characters XML gives a role: the blanks between markup and the characters of names. Every
// reader of XML text asks here, the loaders' checks as well as the reader of plain records.
namespace vantrel::xml {

// Blanks (S): space, tab, line feed and carriage return.
constexpr bool isXmlSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The ASCII name characters, colon aside (namespaces give it a role of its own): a letter or '_'
// starts a name; digits, '-' and '.' may follow. Most names of most documents are made of these.
constexpr bool isAsciiNameStart(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

constexpr bool isAsciiNamePart(char32_t c) {
    return isAsciiNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Every name character of XML 1.0, fifth edition, the colon included.
constexpr bool isNameStartCode(char32_t c) {
    return isAsciiNameStart(c) || c == ':' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

constexpr bool isNameCode(char32_t c) {
    return isNameStartCode(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

}  // namespace vantrel::xml
