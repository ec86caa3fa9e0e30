#include "xml/xml_record_set.h"

#include "xml/xml_checks.h"

#include <QStringEncoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vantrel {

namespace {

constexpr std::string_view kOpenRoot = "<r>";
constexpr std::string_view kCloseRoot = "</r>";

}  // namespace

bool XmlRecordSet::load(const std::vector<QStringView>& records, std::string_view recordElement,
                        const std::vector<XmlSelector>& selectors) {
    records_.clear();
    selections_.clear();
    document_.reset();

    qsizetype units = 0;
    for (const QStringView record : records) {
        units += record.size();
        if (!xml::hasOnlyXmlCharacters(record)) {
            return false;
        }
    }
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const size_t capacity =
        static_cast<size_t>(toUtf8.requiredSpace(units)) + kOpenRoot.size() + kCloseRoot.size();
    if (capacity > capacity_) {
        buffer_.reset(new char[capacity]);  // left uninitialised: it is written before it is read
        capacity_ = capacity;
    }
    char* const buffer = buffer_.get();
    starts_.clear();
    char* out = std::copy(kOpenRoot.begin(), kOpenRoot.end(), buffer);
    for (const QStringView record : records) {
        starts_.push_back(out);
        out = toUtf8.appendToBuffer(out, record);
    }
    out = std::copy(kCloseRoot.begin(), kCloseRoot.end(), out);
    const std::string_view text(buffer, static_cast<size_t>(out - buffer));

    // The checks of the text come first: parsing in place rewrites it. Every record starts with
    // its opening tag, so no declaration or document type can stand at its top.
    const bool rawChecked = xml::needsRawMarkupCheck(text);
    const bool mayHaveAttributes = text.find('=') != std::string_view::npos;
    const pugi::xml_parse_result result =
        rawChecked && !xml::rawMarkupIsWellFormed(text)
            ? pugi::xml_parse_result()
            : document_.load_buffer_inplace(buffer, text.size(), xml::kParseOptions,
                                            pugi::encoding_utf8);
    // Accepted only when the root's children are exactly one element per record, each starting
    // where its record's text was placed. As text, comments and instructions all become nodes,
    // nothing stands between two of them: element k then ends where record k + 1 starts (the
    // last where the root's closing tag starts), and so spans exactly the text of record k,
    // which it holds as loading that record alone would.
    bool ok = result;
    const pugi::xml_node root = document_.document_element();
    for (pugi::xml_node child = root.first_child(); ok && child; child = child.next_sibling()) {
        ok = records_.size() < starts_.size() && child.type() == pugi::node_element &&
             child.name() == starts_[records_.size()] + 1 && recordElement == child.name();
        records_.push_back(child);
    }
    ok = ok && records_.size() == records.size();
    if (ok) {
        ok = selectAll(selectors, rawChecked, mayHaveAttributes);
    }
    if (!ok) {
        records_.clear();
        selections_.clear();
        document_.reset();
        return false;
    }
    return true;
}

bool XmlRecordSet::selectAll(const std::vector<XmlSelector>& selectors, bool rawChecked,
                             bool mayHaveAttributes) {
    names_.clear();
    for (const XmlSelector& selector : selectors) {
        names_.push_back(selector.elementName());
    }
    selections_.assign(records_.size() * names_.size(), Selection{});

    // One walk per record checks every node and answers every selection: each element is
    // matched against the few names asked for by their lengths and first eight bytes, which
    // tell most names apart without a comparison of the whole.
    class Matcher final : public pugi::xml_tree_walker {
    public:
        Matcher(const std::vector<std::string>& names, bool mayHaveAttributes,
                xml::NodeFindings& findings)
            : mayHaveAttributes_(mayHaveAttributes), findings_(findings) {
            for (const std::string& name : names) {
                keys_.push_back(Key{name, headOf(name)});
            }
        }
        void start(Selection* selections) { selections_ = selections; }
        void match(pugi::xml_node& element, std::string_view name) {
            if (mayHaveAttributes_) {
                xml::checkElement(element, name, findings_);
            } else {
                xml::checkElementName(name, findings_);
            }
            const std::uint64_t head = headOf(name);
            for (size_t i = 0; i < keys_.size(); ++i) {
                const Key& key = keys_[i];
                if (head == key.head && name.size() == key.name.size() &&
                    (name.size() <= sizeof head || name == key.name)) {
                    Selection& selection = selections_[i];
                    if (selection.length++ == 0) {
                        selection.first = element;
                    }
                }
            }
        }
        bool for_each(pugi::xml_node& node) override {
            const pugi::xml_node_type type = node.type();
            if (type == pugi::node_element) {
                match(node, node.name());
            } else if (type != pugi::node_pcdata) {
                xml::checkMarkup(node, type, findings_);
            }
            return true;
        }

    private:
        struct Key {
            std::string_view name;
            std::uint64_t head;
        };
        static std::uint64_t headOf(std::string_view name) {
            std::uint64_t head = 0;
            std::memcpy(&head, name.data(), std::min(name.size(), sizeof head));
            return head;
        }

        std::vector<Key> keys_;
        const bool mayHaveAttributes_;
        xml::NodeFindings& findings_;
        Selection* selections_ = nullptr;
    };

    xml::NodeFindings findings;
    Matcher matcher(names_, mayHaveAttributes, findings);
    for (size_t r = 0; r < records_.size(); ++r) {
        matcher.start(&selections_[r * names_.size()]);
        matcher.match(records_[r], records_[r].name());
        records_[r].traverse(matcher);
    }
    // A broken record, or a "<" in an attribute value that may stand there raw: whichever
    // record it is, loading them one by one finds it.
    return !findings.broken && !(findings.ltInAttribute && !rawChecked) &&
           !(findings.usesNamespaces &&
             !xml::namespacesAreWellFormed(document_.document_element()));
}

XmlNodeList XmlRecordSet::selectNodes(size_t record, size_t selector) const {
    const Selection& selection = selections_[record * names_.size() + selector];
    return XmlNodeList(records_[record], names_[selector], selection.first, selection.length);
}

}  // namespace vantrel
