#pragma once

#include "xml/xml_characters.h"
#include "xml/xml_document.h"

#include <QStringView>

#include <pugixml.hpp>

#include <optional>
#include <string_view>
#include <vector>

// The well-formedness rules of XML and of namespaces in XML that the parser does not enforce,
// shared by every way the program loads XML. The parser builds the tree; these checks look at the
// text before it is parsed (where the parser decodes or drops what they need) and at the tree
// after it, node by node, during the walk the loaders make anyway. Common records pass the checks
// of the text with a quick scan and need no more than a glance at each node.
namespace vantrel::xml {

// The parser options every loader uses: comments and instructions become nodes so that they can
// be checked, and no node of a record is dropped silently.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata |
                                   pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration |
                                   pugi::parse_doctype;

// The quoted value that starts at text[at]: what stands between that quote ('"' or '\'') and the
// next one of its kind. Nothing when text[at] is no quote or the value is never closed.
std::optional<std::string_view> quotedValue(std::string_view text, size_t at);

// No control character but tab, line feed and carriage return, no U+FFFE or U+FFFF and no
// surrogate without its partner.
bool hasOnlyXmlCharacters(QStringView text);

// What the parser no longer shows once it has decoded the text: every reference is one XML knows
// without a DTD and names an allowed character, "]]>" stands in no character data, and no
// attribute value holds a raw "<". Quick when the text holds neither "&" nor "]]>": then the walk
// of the tree finds any "<" in an attribute value by itself (see NodeFindings).
bool rawMarkupIsWellFormed(std::string_view text);
bool needsRawMarkupCheck(std::string_view text);

// An XML declaration at the start of the text (after a byte order mark) is complete and in order:
// version 1.x, then optionally the encoding and standalone. True when there is none.
bool declarationIsWellFormed(std::string_view text);

// What the walk of a parsed tree found out, node by node.
struct NodeFindings {
    bool broken = false;          // a rule is broken
    bool usesNamespaces = false;  // a prefixed name or a declaration: run namespacesAreWellFormed
    bool ltInAttribute = false;   // a "<" in a decoded attribute value: raw unless referenced
};

// Checks of one node, given what the walk has read of it already: the name and attributes of an
// element; a comment; the target of an instruction (other nodes need nothing). The name alone for
// an element of a text without any "=", which no attribute can stand in.
void checkElement(pugi::xml_node element, std::string_view name, NodeFindings& findings);
void checkElementName(std::string_view name, NodeFindings& findings);
void checkMarkup(pugi::xml_node node, pugi::xml_node_type type, NodeFindings& findings);

// Prefixes bound where they are used, the reserved prefixes and namespaces kept to their roles,
// and no attribute given twice under two prefixes of one namespace. Below and including root.
bool namespacesAreWellFormed(pugi::xml_node root);

// The top level of a document parsed as a fragment from buffer: one element; only blanks,
// comments and instructions beside it; the declaration first and at the start of the text; at
// most one document type, before the element, whose internal subset (never read) is refused.
bool topLevelIsWellFormed(const pugi::xml_document& document, const char* buffer);

// Appends root and every element below it, in document order, with their names, checking every
// node on the way.
void collectElements(pugi::xml_node root, std::vector<XmlElement>& elements,
                     NodeFindings& findings);

// Visits root and every node below it in document order, until visit returns false.
template <typename Visit>
void forEachNode(pugi::xml_node root, Visit&& visit) {
    pugi::xml_node node = root;
    while (node) {
        if (!visit(node)) {
            return;
        }
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            continue;
        }
        while (node && node != root && !node.next_sibling()) {
            node = node.parent();
        }
        if (!node || node == root) {
            return;
        }
        node = node.next_sibling();
    }
}

// The same for the elements alone.
template <typename Visit>
void forEachElement(pugi::xml_node root, Visit&& visit) {
    forEachNode(root, [&visit](pugi::xml_node node) {
        return node.type() != pugi::node_element || visit(node);
    });
}

}  // namespace vantrel::xml
