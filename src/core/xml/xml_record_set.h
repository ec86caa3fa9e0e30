#pragma once

#include "xml/xml_document.h"

#include <QStringView>

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

namespace vantrel {

// Many small records, each an XML document of its own, parsed in one go: the records are
// loaded side by side under one root, which spares a parser set-up per record, and the
// selections asked for are answered for every record in the same walk. The result is only used
// when it is certain to match loading each record alone; otherwise load() says no and the
// caller loads the records one by one.
class XmlRecordSet {
public:
    // Every record must start with its opening tag and end with the matching closing tag, and
    // hold no other closing tag of that name; the caller knows this of its records.
    bool load(const std::vector<QStringView>& records, std::string_view recordElement,
              const std::vector<XmlSelector>& selectors);

    // What selector number `selector` picks in record number `record`.
    XmlNodeList selectNodes(size_t record, size_t selector) const;
    // The first of it, or a null node when it picks nothing: no list to build.
    pugi::xml_node firstSelected(size_t record, size_t selector) const {
        return selections_[record * names_.size() + selector].first;
    }

private:
    struct Selection {
        pugi::xml_node first;
        int length = 0;
    };
    bool selectAll(const std::vector<XmlSelector>& selectors, bool rawChecked,
                   bool mayHaveAttributes);

    pugi::xml_document document_;
    std::unique_ptr<char[]> buffer_;  // the parsed text; the document points into it
    size_t capacity_ = 0;
    std::vector<const char*> starts_;  // where each record's text was placed in the buffer
    std::vector<pugi::xml_node> records_;
    std::vector<std::string> names_;     // of the selectors, kept: the selectors may go first
    std::vector<Selection> selections_;  // records_ x names_
};

}  // namespace vantrel
