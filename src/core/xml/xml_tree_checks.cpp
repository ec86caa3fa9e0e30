#include "xml/xml_checks.h"

#include "xml/uri_reference.h"
#include "xml/xml_characters.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace vantrel::xml {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsNamespace = "http://www.w3.org/2000/xmlns/";

// The next character of valid UTF-8 text, which the loaders always parse.
char32_t nextCode(std::string_view text, size_t& at) {
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length && at + static_cast<size_t>(i) < text.size(); ++i) {
        code = (code << 6) | (byte(at + static_cast<size_t>(i)) & 0x3F);
    }
    at += static_cast<size_t>(length);
    return code;
}

// Which ASCII bytes may stand in a name: 1 at its start and after, 2 only after.
constexpr std::array<unsigned char, 256> kAsciiNameBytes = [] {
    std::array<unsigned char, 256> bytes{};
    for (char32_t c = 0; c < 128; ++c) {
        bytes[c] = isAsciiNameStart(c) ? 1 : isAsciiNamePart(c) ? 2 : 0;
    }
    return bytes;
}();

// Most names: ASCII, no colon. A table look-up a byte.
bool isPlainName(std::string_view text) {
    if (text.empty() || kAsciiNameBytes[static_cast<unsigned char>(text[0])] != 1) {
        return false;
    }
    for (const char c : text.substr(1)) {
        if (kAsciiNameBytes[static_cast<unsigned char>(c)] == 0) {
            return false;
        }
    }
    return true;
}

// Whether text is an XML name; colons are allowed here and looked at by the namespace check.
bool isName(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    if (isPlainName(text)) {
        return true;
    }
    size_t at = 0;
    if (!isNameStartCode(nextCode(text, at))) {
        return false;
    }
    while (at < text.size()) {
        if (!isNameCode(nextCode(text, at))) {
            return false;
        }
    }
    return true;
}

// A qualified name: no colon, or one between two non-empty names that start as names do.
bool isQualifiedName(std::string_view name, std::string_view& prefix, std::string_view& local) {
    const size_t colon = name.find(':');
    if (colon == std::string_view::npos) {
        prefix = {};
        local = name;
        return true;
    }
    prefix = name.substr(0, colon);
    local = name.substr(colon + 1);
    size_t at = 0;
    return !prefix.empty() && !local.empty() && local.find(':') == std::string_view::npos &&
           isNameStartCode(nextCode(local, at));
}

void checkAttributes(pugi::xml_node element, NodeFindings& findings) {
    size_t count = 0;
    for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
         attribute = attribute.next_attribute(), ++count) {
        const std::string_view name = attribute.name();
        findings.broken |= !isName(name);
        findings.usesNamespaces |=
            name.find(':') != std::string_view::npos || name.substr(0, 5) == "xmlns";
        findings.ltInAttribute |= std::strchr(attribute.value(), '<') != nullptr;
    }
    if (count < 2) {
        return;
    }
    std::vector<std::string_view> names;
    names.reserve(count);
    for (pugi::xml_attribute attribute : element.attributes()) {
        names.emplace_back(attribute.name());
    }
    std::sort(names.begin(), names.end());
    findings.broken |= std::adjacent_find(names.begin(), names.end()) != names.end();
}

// A namespace name as a URI reference. The name keeps each ampersand, whether written `&amp;` or
// as a character reference, as the reference `&#38;`, whose '#' then opens the fragment: so
// "/a&amp;]" is a reference (fragment "38;]") and "]&amp;" is not.
bool isNamespaceUriReference(std::string_view uri) {
    if (uri.find('&') == std::string_view::npos) {
        return isUriReference(uri);
    }
    std::string kept;
    kept.reserve(uri.size() + 8);
    for (const char c : uri) {
        if (c == '&') {
            kept += "&#38;";
        } else {
            kept += c;
        }
    }
    return isUriReference(kept);
}

// A namespace declaration of an element, checked. Returns false when it breaks a rule.
bool readDeclaration(pugi::xml_attribute attribute, std::string_view& prefix,
                     std::string_view& uri) {
    const std::string_view name = attribute.name();
    uri = attribute.value();
    // A namespace name is a URI reference; the empty default undeclares.
    if (name == "xmlns") {
        prefix = {};
        return uri.empty() ||
               (uri != kXmlNamespace && uri != kXmlnsNamespace && isNamespaceUriReference(uri));
    }
    prefix = name.substr(6);
    size_t at = 0;
    if (prefix.empty() || prefix.find(':') != std::string_view::npos ||
        !isNameStartCode(nextCode(prefix, at)) || prefix == "xmlns") {
        return false;
    }
    if (prefix == "xml") {
        return uri == kXmlNamespace;
    }
    return !uri.empty() && uri != kXmlNamespace && uri != kXmlnsNamespace &&
           isNamespaceUriReference(uri);
}

bool isDeclaration(std::string_view name) {
    return name == "xmlns" || name.substr(0, 6) == "xmlns:";
}

// The inside of a document type declaration: its name and an external identifier, which is
// never read. An internal subset is refused: its entities would never be expanded, and its
// attribute defaults, which can declare namespaces, never applied.
bool doctypeIsWellFormed(std::string_view text) {
    size_t at = 0;
    const auto skipSpace = [&]() {
        const size_t from = at;
        while (at < text.size() && isXmlSpace(text[at])) {
            ++at;
        }
        return at > from;
    };
    const auto literal = [&](bool publicId) {
        const std::optional<std::string_view> value = quotedValue(text, at);
        if (!value) {
            return false;
        }
        for (const char c : publicId ? *value : std::string_view()) {
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  std::strchr(" \r\n-'()+,./:=?;!*#@$_%", c) != nullptr) ||
                c == '\0') {
                return false;
            }
        }
        at += value->size() + 2;
        return true;
    };
    skipSpace();
    const size_t nameEnd = std::min(text.size(), text.find_first_of(" \t\r\n", at));
    if (!isName(text.substr(at, nameEnd - at))) {
        return false;
    }
    at = nameEnd;
    if (skipSpace() && at < text.size()) {
        const std::string_view keyword = text.substr(at, 6);
        at += 6;
        if (keyword == "PUBLIC") {
            if (!skipSpace() || !literal(true)) {
                return false;
            }
        } else if (keyword != "SYSTEM") {
            return false;
        }
        if (!skipSpace() || !literal(false)) {
            return false;
        }
        skipSpace();
    }
    return at >= text.size();
}

}  // namespace

void checkElementName(std::string_view name, NodeFindings& findings) {
    if (!isPlainName(name)) {
        findings.broken |= !isName(name);
        findings.usesNamespaces |= name.find(':') != std::string_view::npos;
    }
}

void checkElement(pugi::xml_node element, std::string_view name, NodeFindings& findings) {
    checkElementName(name, findings);
    if (element.first_attribute()) {
        checkAttributes(element, findings);
    }
}

void checkMarkup(pugi::xml_node node, pugi::xml_node_type type, NodeFindings& findings) {
    if (type == pugi::node_comment) {
        const std::string_view text = node.value();
        findings.broken |=
            text.find("--") != std::string_view::npos || (!text.empty() && text.back() == '-');
    } else if (type == pugi::node_pi) {
        // The target "xml" is reserved in every letter case; targets take no colon.
        const std::string_view target = node.name();
        findings.broken |= !isName(target) || target.find(':') != std::string_view::npos ||
                           (target.size() == 3 && (target[0] | 0x20) == 'x' &&
                            (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l');
    }
}

bool namespacesAreWellFormed(pugi::xml_node root) {
    struct Binding {
        std::string_view prefix;
        std::string_view uri;
        int depth;  // of the element that declared it
    };
    std::vector<Binding> bindings;
    const auto lookUp = [&bindings](std::string_view prefix, std::string_view& uri) {
        if (prefix == "xml") {
            uri = kXmlNamespace;
            return true;
        }
        for (auto it = bindings.rbegin(); it != bindings.rend(); ++it) {
            if (it->prefix == prefix) {
                uri = it->uri;
                return true;
            }
        }
        return false;  // "xmlns" among them: it names no namespace of elements or attributes
    };
    const auto checkElement = [&](pugi::xml_node element, int depth) {
        while (!bindings.empty() && bindings.back().depth >= depth) {
            bindings.pop_back();  // declared by an element that is closed by now
        }
        bool ok = true;
        for (pugi::xml_attribute attribute : element.attributes()) {
            Binding binding{{}, {}, depth};
            if (isDeclaration(attribute.name())) {
                ok &= readDeclaration(attribute, binding.prefix, binding.uri);
                if (!binding.prefix.empty()) {
                    bindings.push_back(binding);
                }
            }
        }
        std::string_view prefix;
        std::string_view local;
        std::string_view uri;
        ok &= isQualifiedName(element.name(), prefix, local) &&
              (prefix.empty() || lookUp(prefix, uri));
        // Prefixed attributes, by namespace and local name, for the duplicate check.
        std::vector<std::pair<std::string_view, std::string_view>> expanded;
        for (pugi::xml_attribute attribute : element.attributes()) {
            if (isDeclaration(attribute.name())) {
                continue;
            }
            ok &= isQualifiedName(attribute.name(), prefix, local);
            if (ok && !prefix.empty()) {
                ok &= lookUp(prefix, uri);
                expanded.emplace_back(uri, local);
            }
        }
        std::sort(expanded.begin(), expanded.end());
        return ok && std::adjacent_find(expanded.begin(), expanded.end()) == expanded.end();
    };

    // Every element in document order, with its depth.
    int depth = 0;
    for (pugi::xml_node node = root; node;) {
        if (node.type() == pugi::node_element && !checkElement(node, depth)) {
            return false;
        }
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            ++depth;
            continue;
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        node = node == root ? pugi::xml_node() : node.next_sibling();
    }
    return true;
}

bool topLevelIsWellFormed(const pugi::xml_document& document, const char* buffer) {
    const char* start = buffer;
    if (std::strncmp(start, "\xEF\xBB\xBF", 3) == 0) {
        start += 3;
    }
    int elements = 0;
    int doctypes = 0;
    bool first = true;
    for (pugi::xml_node child = document.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
            case pugi::node_element:
                ++elements;
                break;
            case pugi::node_pcdata:
                for (const char* c = child.value(); *c; ++c) {
                    if (!isXmlSpace(*c)) {
                        return false;
                    }
                }
                break;
            case pugi::node_declaration:
                // "<?xml" at the very start: its text was checked before parsing.
                if (!first || child.name() != start + 2 || std::strcmp(child.name(), "xml") != 0) {
                    return false;
                }
                break;
            case pugi::node_doctype:
                if (++doctypes > 1 || elements > 0 || !doctypeIsWellFormed(child.value()) ||
                    !isXmlSpace(child.value()[-1])) {
                    return false;
                }
                break;
            case pugi::node_comment:
            case pugi::node_pi:
                break;
            default:
                return false;  // CDATA
        }
        first = false;
    }
    return elements == 1;
}

void collectElements(pugi::xml_node root, std::vector<XmlElement>& elements,
                     NodeFindings& findings) {
    // The parser's own traversal: far fewer calls into the library than stepping node by node.
    class Collector final : public pugi::xml_tree_walker {
    public:
        Collector(std::vector<XmlElement>& elements, NodeFindings& findings)
            : elements_(elements), findings_(findings) {}
        bool for_each(pugi::xml_node& node) override {
            const pugi::xml_node_type type = node.type();
            if (type == pugi::node_element) {
                const std::string_view name = node.name();
                checkElement(node, name, findings_);
                elements_.push_back({name, node});
            } else {
                checkMarkup(node, type, findings_);
            }
            return true;
        }

    private:
        std::vector<XmlElement>& elements_;
        NodeFindings& findings_;
    };
    if (root.type() == pugi::node_element) {
        checkElement(root, root.name(), findings);
        elements.push_back({std::string_view(root.name()), root});
    }
    Collector collector(elements, findings);
    root.traverse(collector);
}

}  // namespace vantrel::xml
