#pragma once

#include <QStringView>

#include <string>
#include <vector>

namespace vantrel {

// A record of the plain form the site writes, read straight from the page text: its opening tag,
// then elements one after another, each of a plain name (ASCII letters and digits, '_', '-' and
// '.') holding nothing or plain text, blanks (space, tab, line feed) between them, and its
// closing tag. Such a record is well-formed XML, and what the XML loader would select in it can be
// read off the text itself, which spares the UTF-8 copy, the parse and the walk of the tree.
// Anything else (a reference, markup in a text, CDATA, a comment, an attribute, a nested element,
// a carriage return, "]]>", a character XML does not allow) is declined and left to the loader.
class PlainRecordReader {
public:
    // fieldNames: the elements whose first text is wanted (UTF-8), like selectors "//name".
    PlainRecordReader(std::u16string recordName, const std::vector<std::string>& fieldNames);

    // For each field name, the text of the first element of that name, without the blanks at its
    // ends, as the loader gives it; a null view where the record has no such element. texts
    // holds one view a field name. False, with texts left undefined, when the record is not plain.
    bool read(QStringView record, QStringView* texts) const;

private:
    std::u16string recordName_;
    std::vector<std::u16string> fieldNames_;  // empty where a name is never plain
    bool usable_ = true;                      // false when a field is the record element itself
};

}  // namespace vantrel
