#include "platform/xml_checks.h"

namespace vantrel::xml {

namespace {

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

}  // namespace

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

bool hasSingleRootElement(const pugi::xml_document& document) {
    int elements = 0;
    for (pugi::xml_node child = document.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) {
            ++elements;
        }
    }
    return elements == 1;
}

void collectElements(pugi::xml_node root, std::vector<XmlElement>& elements) {
    // The parser's own traversal: far fewer calls into the library than stepping node by node.
    class Collector final : public pugi::xml_tree_walker {
    public:
        explicit Collector(std::vector<XmlElement>& elements) : elements_(elements) {}
        bool for_each(pugi::xml_node& node) override {
            if (node.type() == pugi::node_element) {
                elements_.push_back({std::string_view(node.name()), node});
            }
            return true;
        }

    private:
        std::vector<XmlElement>& elements_;
    };
    elements.push_back({std::string_view(root.name()), root});
    Collector collector(elements);
    root.traverse(collector);
}

}  // namespace vantrel::xml
