#include "results/result_parser.h"

#include "base/app_error.h"
#include "results/record_pieces.h"
#include "search/record_marker.h"
#include "xml/xml_document.h"
#include "xml/xml_record_set.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace vantrel {

namespace {

// The fields of a record, in the order of their columns, FileId to UploadDate.
constexpr std::array<const char16_t*, kResultFieldCount> kFieldExpressions{
    u"//fileid",  u"//filename", u"//format", u"//language",
    u"//splitby", u"//splito",   u"//chname", u"//uptime"};

std::vector<XmlSelector> fieldSelectors() {
    std::vector<XmlSelector> selectors;
    for (const char16_t* expression : kFieldExpressions) {
        selectors.push_back(XmlSelector::parse(expression));
    }
    return selectors;
}

// The text of one field column. Neighbouring records often agree on a field (the same film,
// format, language or date); they then share one string, which saves time and memory.
class FieldText {
public:
    const QString& text(const XmlNode& node) {
        const std::string_view utf8 = node.utf8Text(scratch_);
        if (!hasLast_ || utf8 != lastUtf8_) {
            lastUtf8_.assign(utf8);
            last_ = textFromUtf8(lastUtf8_);
            hasLast_ = true;
        }
        return last_;
    }

private:
    std::string scratch_;
    std::string lastUtf8_;
    QString last_;
    bool hasLast_ = false;
};

constexpr size_t kRecordsPerBatch = 256;

}  // namespace

void parseResultPage(const QString& page, ResultSink& sink) {
    const std::vector<QStringView> pieces = splitAtRecordMarkers(page);
    const int records = pieces.empty() ? 0 : static_cast<int>(pieces.size()) - 1;
    if (records > kMaxRecordsPerPage) {
        throw overflowError();
    }

    sink.beginPage(static_cast<int>(pieces.size()));
    XmlDocument document;
    std::array<FieldText, kResultFieldCount> fields;
    const std::vector<XmlSelector> selectors = fieldSelectors();
    const QString missingField = QStringLiteral(" ");
    ResultFields texts{};

    std::vector<QStringView> recordTexts;
    recordTexts.reserve(static_cast<size_t>(records));
    for (int k = 0; k < records; ++k) {
        recordTexts.push_back(cutToRecordStart(pieces[static_cast<size_t>(k)]));
    }
    // Parsing records together gives the same rows as parsing each alone, much faster. It is done
    // a batch at a time, so that the parser's memory stays small and is reused; a batch with a
    // broken record declines, and its records are then parsed one by one.
    XmlRecordSet together;
    for (size_t batchStart = 0; batchStart < recordTexts.size(); batchStart += kRecordsPerBatch) {
        const size_t batchEnd = std::min(recordTexts.size(), batchStart + kRecordsPerBatch);
        const std::vector<QStringView> batch(recordTexts.begin() + batchStart,
                                             recordTexts.begin() + batchEnd);
        const bool wholeRecords = std::all_of(batch.begin(), batch.end(), [](QStringView record) {
            return beginsWith(record, kRecordOpenTag) && endsWith(record, kRecordCloseTag);
        });
        const bool parsedTogether = wholeRecords && together.load(batch, "subrief", selectors);
        for (size_t k = batchStart; k < batchEnd; ++k) {
            const QStringView record = recordTexts[k];
            if (!parsedTogether) {
                // A piece without an opening tag holds no record: its row shows blanks, like a
                // record that is not well-formed.
                document.loadXML(beginsWith(record, kRecordOpenTag) ? record : QStringView());
            }
            for (size_t j = 0; j < fields.size(); ++j) {
                const XmlNodeList nodes = parsedTogether ? together.selectNodes(k - batchStart, j)
                                                         : document.selectNodes(selectors[j]);
                texts[j] = nodes.length() == 0 ? &missingField : &fields[j].text(nodes.item(0));
            }
            sink.record(static_cast<int>(k), texts);
        }
    }
    sink.endPage(recordTexts.empty() ? QStringView() : recordTexts.back());
}

}  // namespace vantrel
