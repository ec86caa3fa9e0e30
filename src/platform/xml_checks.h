#pragma once

#include "platform/xml_document.h"

#include <pugixml.hpp>

#include <string_view>
#include <vector>

// Checks that complete the XML parser where it is more lenient than XML, and a walk over
// elements, shared by the ways the program loads XML.
namespace vantrel::xml {

inline bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The parser keeps unknown references as they stand; XML calls them errors. Only references in
// markup-free text and attribute values count, so comments, CDATA and instructions are skipped.
bool referencesAreKnown(std::string_view text);

// The parser drops text that stands outside the root element; XML does not allow it. Checks that
// only white space, comments, instructions and a document type stand before and after the root.
bool onlyMarkupOutsideRoot(std::string_view text);

// The parser accepts several top-level elements; XML wants exactly one.
bool hasSingleRootElement(const pugi::xml_document& document);

// Appends root and every element below it, in document order, with their names.
void collectElements(pugi::xml_node root, std::vector<XmlElement>& elements);

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
