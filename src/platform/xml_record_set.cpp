#include "platform/xml_record_set.h"

#include "platform/xml_checks.h"

#include <QStringEncoder>

#include <algorithm>

namespace vantrel {

namespace {

constexpr std::string_view kOpenRoot = "<r>";
constexpr std::string_view kCloseRoot = "</r>";

}  // namespace

bool XmlRecordSet::load(const std::vector<QStringView>& records, std::string_view recordElement,
                        const std::vector<XmlSelector>& selectors) {
    records_.clear();
    selections_.clear();

    qsizetype units = 0;
    for (const QStringView record : records) {
        units += record.size();
    }
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    const size_t capacity =
        static_cast<size_t>(toUtf8.requiredSpace(units)) + kOpenRoot.size() + kCloseRoot.size();
    if (capacity > capacity_) {
        buffer_.reset(new char[capacity]);  // left uninitialised: it is written before it is read
        capacity_ = capacity;
    }
    char* out = std::copy(kOpenRoot.begin(), kOpenRoot.end(), buffer_.get());
    for (const QStringView record : records) {
        out = toUtf8.appendToBuffer(out, record);
    }
    out = std::copy(kCloseRoot.begin(), kCloseRoot.end(), out);
    const size_t length = static_cast<size_t>(out - buffer_.get());

    // Each record holds one closing tag of its element, at its end. If the whole parses and the
    // root has one element child per record, then every record opened at its start and closed at
    // its end: each is an element of its own, and nothing spans two records. Had a record's
    // closing tag stood inside a comment, CDATA or attribute, fewer children would come out.
    // The references are checked first: parsing in place rewrites the text.
    const bool referencesKnown = xml::referencesAreKnown(std::string_view(buffer_.get(), length));
    const pugi::xml_parse_result result = document_.load_buffer_inplace(
        buffer_.get(), length, pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    bool ok = referencesKnown && result;
    const pugi::xml_node root = document_.document_element();
    for (pugi::xml_node child = root.first_child(); ok && child; child = child.next_sibling()) {
        ok = child.type() == pugi::node_element && recordElement == child.name();
        records_.push_back(child);
    }
    if (!ok || records_.size() != records.size()) {
        records_.clear();
        document_.reset();
        return false;
    }
    selectAll(selectors);
    return true;
}

void XmlRecordSet::selectAll(const std::vector<XmlSelector>& selectors) {
    names_.clear();
    for (const XmlSelector& selector : selectors) {
        names_.push_back(selector.elementName());
    }
    selections_.assign(records_.size() * names_.size(), Selection{});

    // One walk per record answers every selection: each element is matched against the few
    // names asked for, most of them told apart by their length alone.
    class Matcher final : public pugi::xml_tree_walker {
    public:
        explicit Matcher(const std::vector<std::string>& names) : names_(names) {}
        void start(Selection* selections) { selections_ = selections; }
        void match(pugi::xml_node& element) {
            const std::string_view name = element.name();
            for (size_t i = 0; i < names_.size(); ++i) {
                if (name == names_[i]) {
                    Selection& selection = selections_[i];
                    if (selection.length++ == 0) {
                        selection.first = element;
                    }
                }
            }
        }
        bool for_each(pugi::xml_node& node) override {
            if (node.type() == pugi::node_element) {
                match(node);
            }
            return true;
        }

    private:
        const std::vector<std::string>& names_;
        Selection* selections_ = nullptr;
    };

    Matcher matcher(names_);
    for (size_t r = 0; r < records_.size(); ++r) {
        matcher.start(&selections_[r * names_.size()]);
        matcher.match(records_[r]);
        records_[r].traverse(matcher);
    }
}

XmlNodeList XmlRecordSet::selectNodes(size_t record, size_t selector) const {
    const Selection& selection = selections_[record * names_.size() + selector];
    return XmlNodeList(records_[record], names_[selector], selection.first, selection.length);
}

}  // namespace vantrel
