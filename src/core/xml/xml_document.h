#pragma once

#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel {

// A selection of the form "//name": every element of that name at any depth, in document order.
// Parsed once, used for many documents.
class XmlSelector {
public:
    // Throws AppError (invalid argument) for any other form of expression.
    static XmlSelector parse(QStringView expression);

    const std::string& elementName() const { return name_; }

private:
    explicit XmlSelector(std::string name) : name_(std::move(name)) {}
    std::string name_;
};

class XmlNode {
public:
    explicit XmlNode(pugi::xml_node node) : node_(node) {}

    // All text and CDATA below the node, in document order. Text made of white space only is
    // dropped and leaves one blank between the pieces it separated; the ends are trimmed, except
    // where CDATA stands there.
    QString text() const;
    // The same text as UTF-8. The view points into the document or into scratch, and lives as
    // long as both do.
    std::string_view utf8Text(std::string& scratch) const;

private:
    pugi::xml_node node_;
};

// UTF-8 text of a document as a string, a U+FEFF at its start kept: it is a character of the
// text there, which QString::fromUtf8 would take for a byte-order mark and drop.
QString textFromUtf8(std::string_view utf8);

// An element of a loaded document and its name, kept in document order.
struct XmlElement {
    std::string_view name;
    pugi::xml_node node;
};

// The elements a selector picked below a node (the node included), in document order. Valid
// until the document loads again.
class XmlNodeList {
public:
    XmlNodeList(pugi::xml_node scope, std::string_view name, pugi::xml_node first, int length)
        : scope_(scope), name_(name), first_(first), length_(length) {}
    // Element names are short: keeping a copy costs no allocation.

    int length() const { return length_; }
    XmlNode item(int index) const;  // index from 0 to length() - 1

private:
    pugi::xml_node scope_;
    std::string name_;
    pugi::xml_node first_;
    int length_;
};

// An XML document that is loaded from text again and again. A text that is not well-formed
// leaves the document empty; no error is raised. Entities declared in a DTD are never expanded,
// and nothing outside the text is read.
class XmlDocument {
public:
    // Replaces the whole document. Returns whether the text was well-formed.
    bool loadXML(QStringView text);

    bool isEmpty() const { return elements_.empty(); }
    XmlNodeList selectNodes(const XmlSelector& selector) const;

private:
    pugi::xml_document document_;
    std::string buffer_;                // the parsed text; the document points into it
    std::vector<XmlElement> elements_;  // every element, in document order, for the selections
};

}  // namespace vantrel
