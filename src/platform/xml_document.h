#pragma once

#include <QString>
#include <QStringView>

#include <pugixml.hpp>

#include <string>
#include <utility>

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

private:
    pugi::xml_node node_;
};

// The nodes a selector picked, in document order.
class XmlNodeList {
public:
    XmlNodeList(pugi::xml_node root, std::string name, pugi::xml_node first, int length)
        : root_(root), name_(std::move(name)), first_(first), length_(length) {}

    int length() const { return length_; }
    XmlNode item(int index) const;  // index from 0 to length() - 1

private:
    pugi::xml_node root_;
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

    bool isEmpty() const { return document_.first_child().empty(); }
    XmlNodeList selectNodes(const XmlSelector& selector) const;

private:
    pugi::xml_document document_;
    std::string buffer_;  // the parsed text; the document points into it
};

}  // namespace vantrel
