#include "xml/xml_document.h"

#include "base/app_error.h"
#include "xml/xml_checks.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

namespace vantrel {

using xml::isXmlSpace;

namespace {

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (!isXmlSpace(*text)) {
            return false;
        }
    }
    return true;
}

std::string_view trimmed(std::string_view text, bool trimFront, bool trimBack) {
    size_t begin = 0;
    size_t end = text.size();
    while (trimFront && begin < end && isXmlSpace(text[begin])) {
        ++begin;
    }
    while (trimBack && end > begin && isXmlSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
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
    std::string scratch;
    const std::string_view utf8 = utf8Text(scratch);
    return textFromUtf8(utf8);
}

QString textFromUtf8(std::string_view utf8) {
    if (utf8.substr(0, 3) != "\xEF\xBB\xBF") {
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string_view XmlNode::utf8Text(std::string& out) const {
    // The common case: one plain text child. (A missing node's type is node_null.)
    const pugi::xml_node only = node_.first_child();
    if (only.type() == pugi::node_pcdata && !only.next_sibling()) {
        return trimmed(only.value(), true, true);
    }

    out.clear();
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
    // Every node below, in document order, taking the text and CDATA ones.
    xml::forEachNode(node_, [&append](pugi::xml_node node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            append(node);
        }
        return true;
    });

    return trimmed(out, !startsWithCdata, !endsWithCdata);
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
    xml::forEachElement(scope_, [&](pugi::xml_node element) {
        if (name_ == element.name() && seen++ == index) {
            found = element;
            return false;
        }
        return true;
    });
    return XmlNode(found);
}

bool XmlDocument::loadXML(QStringView text) {
    elements_.clear();
    document_.reset();
    if (!xml::hasOnlyXmlCharacters(text)) {
        return false;
    }
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    buffer_.resize(static_cast<size_t>(toUtf8.requiredSpace(text.size())) + 1);
    char* end = toUtf8.appendToBuffer(buffer_.data(), text);
    // Parsed as a fragment, the parser keeps the text outside the root, which XML forbids, as
    // nodes; it then takes the last character of the text for its terminator: a blank is spent.
    *end++ = ' ';
    buffer_.resize(static_cast<size_t>(end - buffer_.data()));

    const std::string_view utf8(buffer_);
    // A document ends with a '>' and blanks at most. The parser would take a '<' at the very end,
    // after blanks outside the root, for the end of those blanks and report no error.
    const size_t last = utf8.find_last_not_of(" \t\r\n");
    if (last == std::string_view::npos || utf8[last] != '>') {
        return false;
    }
    // These need the text as it stands: the parser works in place and rewrites it.
    const bool rawChecked = xml::needsRawMarkupCheck(utf8);
    if ((rawChecked && !xml::rawMarkupIsWellFormed(utf8)) || !xml::declarationIsWellFormed(utf8)) {
        return false;
    }
    const pugi::xml_parse_result result = document_.load_buffer_inplace(
        buffer_.data(), buffer_.size(), xml::kParseOptions | pugi::parse_fragment,
        pugi::encoding_utf8);
    xml::NodeFindings findings;
    if (result && xml::topLevelIsWellFormed(document_, buffer_.data())) {
        // One walk checks every node and serves all the selections that follow.
        xml::collectElements(document_, elements_, findings);
    }
    // Without any reference in the text, a "<" in an attribute value stood there raw.
    if (!result || elements_.empty() || findings.broken ||
        (findings.ltInAttribute && !rawChecked) ||
        (findings.usesNamespaces && !xml::namespacesAreWellFormed(document_.document_element()))) {
        elements_.clear();
        document_.reset();  // the parser keeps what it read before an error
        return false;
    }
    return true;
}

XmlNodeList XmlDocument::selectNodes(const XmlSelector& selector) const {
    const std::string_view name = selector.elementName();
    pugi::xml_node first;
    int length = 0;
    for (const XmlElement& element : elements_) {
        if (element.name == name && length++ == 0) {
            first = element.node;
        }
    }
    return XmlNodeList(document_.document_element(), name, first, length);
}

}  // namespace vantrel
