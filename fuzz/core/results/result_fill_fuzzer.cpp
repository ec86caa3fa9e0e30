// Feeds arbitrary page text through the record marking, the record splitting, the XML layer and
// the reading of result pages.
#include "base/app_error.h"
#include "results/plain_record.h"
#include "results/record_marker.h"
#include "results/record_pieces.h"
#include "results/result_parser.h"
#include "support/xml_oracle.h"
#include "xml/xml_document.h"
#include "xml/xml_record_set.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Checks that the records of a page arrive once each, in order, with all eight fields.
class CheckingSink final : public vantrel::ResultSink {
public:
    void beginPage(int pieces) override { expected_ = pieces > 0 ? pieces - 1 : 0; }
    void record(int index, const vantrel::ResultFields& fields) override {
        if (index != next_++) {
            std::abort();
        }
        for (const QString* field : fields) {
            if (field == nullptr) {
                std::abort();
            }
        }
    }
    void endPage(QStringView lastRecord) override {
        if (next_ != expected_ || lastRecord.isNull() != (expected_ == 0)) {
            std::abort();
        }
    }

private:
    int expected_ = 0;
    int next_ = 0;
};

}  // namespace

// Each record is well-formed for the loader exactly when it is for the reference parser.
void checkVerdictsMatchReference(const std::vector<QStringView>& pieces) {
    for (size_t k = 0; k + 1 < pieces.size(); ++k) {
        const QStringView record = vantrel::cutToRecordStart(pieces[k]);
        vantrel::XmlDocument document;
        const bool ours = document.loadXML(record);
        const bool reference = vantrel::test::oracleFindsWellFormed(record);
        if (ours != reference && !(vantrel::test::hasDocumentType(record) && !ours)) {
            std::abort();
        }
    }
}

// Records parsed together must read exactly as each parsed alone.
void checkRecordsTogetherMatchAlone(const std::vector<QStringView>& pieces) {
    std::vector<QStringView> records;
    for (size_t k = 0; k + 1 < pieces.size(); ++k) {
        const QStringView record = vantrel::cutToRecordStart(pieces[k]);
        if (record.startsWith(vantrel::kRecordOpenTag) &&
            record.endsWith(vantrel::kRecordCloseTag)) {
            records.push_back(record);
        }
    }
    const std::vector<vantrel::XmlSelector> selectors{vantrel::XmlSelector::parse(u"//fileid"),
                                                      vantrel::XmlSelector::parse(u"//b")};
    vantrel::XmlRecordSet together;
    if (records.empty() || !together.load(records, "subrief", selectors)) {
        return;
    }
    for (size_t r = 0; r < records.size(); ++r) {
        vantrel::XmlDocument alone;
        if (!alone.loadXML(records[r])) {
            std::abort();  // together accepted a record that is broken on its own
        }
        for (size_t s = 0; s < selectors.size(); ++s) {
            const vantrel::XmlNodeList expected = alone.selectNodes(selectors[s]);
            const vantrel::XmlNodeList actual = together.selectNodes(r, s);
            if (expected.length() != actual.length()) {
                std::abort();
            }
            if (expected.length() > 0 && expected.item(0).text() != actual.item(0).text()) {
                std::abort();
            }
        }
    }
}

// A record read straight from the text must read exactly as the XML loader reads it.
void checkPlainReadingMatchesLoader(const std::vector<QStringView>& pieces) {
    const std::vector<std::string> names{"fileid", "b", "x-y.z"};
    const vantrel::PlainRecordReader reader(u"subrief", names);
    for (size_t k = 0; k + 1 < pieces.size(); ++k) {
        const QStringView record = vantrel::cutToRecordStart(pieces[k]);
        std::array<QStringView, 3> texts;
        if (!reader.read(record, texts.data())) {
            continue;
        }
        vantrel::XmlDocument document;
        if (!document.loadXML(record)) {
            std::abort();  // read as plain a record the loader refuses
        }
        for (size_t i = 0; i < names.size(); ++i) {
            const vantrel::XmlNodeList nodes = document.selectNodes(
                vantrel::XmlSelector::parse(QString::fromStdString("//" + names[i])));
            if ((nodes.length() == 0) != texts[i].isNull() ||
                (nodes.length() > 0 && nodes.item(0).text() != texts[i])) {
                std::abort();
            }
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString page =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString marked = vantrel::insertRecordMarkers(page);
    const std::vector<QStringView> pieces = vantrel::splitAtRecordMarkers(marked);
    checkVerdictsMatchReference(pieces);
    checkRecordsTogetherMatchAlone(pieces);
    checkPlainReadingMatchesLoader(pieces);
    try {
        CheckingSink sink;
        vantrel::parseResultPage(marked, sink);
    } catch (const vantrel::AppError&) {
        // A page the window reports as an error (too many records) is a fine outcome.
    }
    return 0;
}
