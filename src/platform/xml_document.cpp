#include "platform/xml_document.h"

#include "platform/app_error.h"

#include <QStringEncoder>

#include <cstring>

namespace vantrel {

namespace {

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isXmlChar(unsigned long code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Whether the reference at text[0] == '&' is one XML knows without a DTD.
bool isKnownReference(std::string_view text) {
    const size_t end = text.find(';');
    if (end == std::string_view::npos || end > 12) {
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

// The parser keeps unknown references as they stand; XML calls them errors. Only references in
// markup-free text and attribute values count, so comments, CDATA and instructions are skipped.
bool referencesAreKnown(std::string_view text) {
    if (text.find('&') == std::string_view::npos) {
        return true;
    }
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
        if (c == '<') {
            const std::string_view rest = text.substr(at);
            std::string_view close;
            if (startsWith(rest, "<!--")) {
                close = "-->";
            } else if (startsWith(rest, "<![CDATA[")) {
                close = "]]>";
            } else if (startsWith(rest, "<?")) {
                close = "?>";
            }
            if (!close.empty()) {
                const size_t end = text.find(close, at + 2);
                if (end == std::string_view::npos) {
                    return true;  // unterminated: the parser has refused it already
                }
                at = end + close.size();
                continue;
            }
        }
        ++at;
    }
    return true;
}

// The parser drops text that stands outside the root element; XML does not allow it. Checks that
// only white space, comments, instructions and a document type stand before and after the root.
bool onlyMarkupOutsideRoot(std::string_view text) {
    size_t at = 0;
    if (startsWith(text, "\xEF\xBB\xBF")) {
        at = 3;
    }
    for (;;) {
        while (at < text.size() && isXmlSpace(text[at])) {
            ++at;
        }
        const std::string_view rest = text.substr(at);
        size_t end = std::string_view::npos;
        if (startsWith(rest, "<!--")) {
            end = text.find("-->", at + 4);
            end = end == std::string_view::npos ? end : end + 3;
        } else if (startsWith(rest, "<?")) {
            end = text.find("?>", at + 2);
            end = end == std::string_view::npos ? end : end + 2;
        } else if (startsWith(rest, "<!DOCTYPE")) {
            // Skip to the '>' that closes it, past an internal subset in brackets.
            const size_t open = text.find_first_of("[>", at);
            if (open != std::string_view::npos && text[open] == '[') {
                const size_t subsetEnd = text.find(']', open);
                end = subsetEnd == std::string_view::npos ? subsetEnd : text.find('>', subsetEnd);
            } else {
                end = open;
            }
            end = end == std::string_view::npos ? end : end + 1;
        } else {
            break;
        }
        if (end == std::string_view::npos) {
            return false;
        }
        at = end;
    }
    if (at >= text.size() || text[at] != '<') {
        return false;
    }

    size_t last = text.size();
    for (;;) {
        while (last > at && isXmlSpace(text[last - 1])) {
            --last;
        }
        const std::string_view head = text.substr(0, last);
        size_t begin = std::string_view::npos;
        if (head.size() >= 3 && head.substr(head.size() - 3) == "-->") {
            begin = head.rfind("<!--", head.size() - 3);
        } else if (head.size() >= 2 && head.substr(head.size() - 2) == "?>") {
            begin = head.rfind("<?", head.size() - 2);
        }
        if (begin == std::string_view::npos || begin <= at) {
            break;
        }
        last = begin;
    }
    return last > at && text[last - 1] == '>';
}

bool wellFormedRoot(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node child = document.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            ++elements;
        }
    }
    return elements == 1;
}

// Visits the elements below root (root included) in document order, until visit returns false.
template <typename Visit>
void forEachElement(pugi::xml_node root, Visit&& visit) {
    pugi::xml_node node = root;
    while (node) {
        if (node.type() == pugi::node_element && !visit(node)) {
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

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (!isXmlSpace(*text)) {
            return false;
        }
    }
    return true;
}

QString trimmedText(std::string_view text, bool trimFront, bool trimBack) {
    size_t begin = 0;
    size_t end = text.size();
    while (trimFront && begin < end && isXmlSpace(text[begin])) {
        ++begin;
    }
    while (trimBack && end > begin && isXmlSpace(text[end - 1])) {
        --end;
    }
    return QString::fromUtf8(text.data() + begin, static_cast<qsizetype>(end - begin));
}

}  // namespace

XmlSelector XmlSelector::parse(QStringView expression) {
    const QStringView name = expression.mid(2);
    const bool plainName = expression.startsWith(u"//") && !name.isEmpty() &&
                           !name.contains(u'/') && !name.contains(u'[') && !name.contains(u'@') &&
                           !name.contains(u'*') && !name.contains(u'(');
    if (!plainName) {
        throw AppError(errors::InvalidArgument,
                       QStringLiteral("不支持的选择表达式：") + expression.toString());
    }
    return XmlSelector(name.toUtf8().toStdString());
}

QString XmlNode::text() const {
    // The common case: one plain text child.
    const pugi::xml_node only = node_.first_child();
    if (only && !only.next_sibling() && only.type() == pugi::node_pcdata) {
        return trimmedText(only.value(), true, true);
    }

    std::string out;
    bool separatorPending = false;
    bool startsWithCdata = false;
    bool endsWithCdata = false;
    const auto append = [&](pugi::xml_node piece) {
        const char* value = piece.value();
        const bool cdata = piece.type() == pugi::node_cdata;
        if (!cdata && isBlank(value)) {
            separatorPending = !out.empty();
            return;
        }
        if (out.empty()) {
            startsWithCdata = cdata;
        } else if (separatorPending) {
            out += ' ';
        }
        separatorPending = false;
        out += value;
        endsWithCdata = cdata;
    };
    // Walk every node below, in document order, taking the text and CDATA ones.
    pugi::xml_node node = node_.first_child();
    while (node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            append(node);
        }
        if (pugi::xml_node child = node.first_child()) {
            node = child;
            continue;
        }
        while (node && node != node_ && !node.next_sibling()) {
            node = node.parent();
        }
        if (!node || node == node_) {
            break;
        }
        node = node.next_sibling();
    }

    return trimmedText(out, !startsWithCdata, !endsWithCdata);
}

XmlNode XmlNodeList::item(int index) const {
    if (index < 0 || index >= length_) {
        throw AppError(errors::InvalidArgument, QStringLiteral("节点序号超出范围"));
    }
    if (index == 0) {
        return XmlNode(first_);
    }
    pugi::xml_node found;
    int seen = 0;
    forEachElement(root_, [&](pugi::xml_node element) {
        if (name_ == element.name() && seen++ == index) {
            found = element;
            return false;
        }
        return true;
    });
    return XmlNode(found);
}

bool XmlDocument::loadXML(QStringView text) {
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    buffer_.resize(static_cast<size_t>(toUtf8.requiredSpace(text.size())));
    char* const end = toUtf8.appendToBuffer(buffer_.data(), text);
    buffer_.resize(static_cast<size_t>(end - buffer_.data()));

    const std::string_view utf8(buffer_);
    const bool ok = onlyMarkupOutsideRoot(utf8) && referencesAreKnown(utf8);
    // The parser works in place; every load first drops the previous document.
    const pugi::xml_parse_result result = document_.load_buffer_inplace(
        buffer_.data(), buffer_.size(), pugi::parse_default | pugi::parse_ws_pcdata,
        pugi::encoding_utf8);
    if (!ok || !result || !wellFormedRoot(document_)) {
        document_.reset();  // the parser keeps what it read before an error
        return false;
    }
    return true;
}

XmlNodeList XmlDocument::selectNodes(const XmlSelector& selector) const {
    const std::string& name = selector.elementName();
    pugi::xml_node first;
    int length = 0;
    forEachElement(document_.document_element(), [&](pugi::xml_node element) {
        if (name == element.name()) {
            if (length++ == 0) {
                first = element;
            }
        }
        return true;
    });
    return XmlNodeList(document_.document_element(), name, first, length);
}

}  // namespace vantrel
