#include "results/result_parser.h"

#include "base/app_error.h"
#include "results/record_pieces.h"
#include "search/record_marker.h"
#include "xml/xml_document.h"
#include "xml/xml_record_set.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
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

// The texts of one field column. Records often repeat a field (the same film, format, language,
// version or date), next to each other or a few records apart: the texts met lately are kept by
// their UTF-8 bytes, and a repeated one shares the string made before. That saves a conversion,
// an allocation and the memory of a cell.
class FieldTexts {
public:
    const QString& text(XmlNode node) {
        const std::string_view utf8 = node.utf8Text(scratch_);
        Slot& slot = slots_[hashOf(utf8)];
        if (!slot.used || utf8 != slot.utf8) {
            slot.utf8.assign(utf8);
            slot.text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
            slot.used = true;
        }
        return slot.text;
    }

private:
    struct Slot {
        std::string utf8;
        QString text;
        bool used = false;
    };
    // The length and the first and last eight bytes: texts that differ nearly always differ
    // there (ids, dates and part numbers at the end), and a hash of every byte would cost more
    // than the conversion it saves.
    static std::uint64_t hashOf(std::string_view bytes) {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        const size_t some = std::min<size_t>(bytes.size(), sizeof head);
        std::memcpy(&head, bytes.data(), some);
        std::memcpy(&tail, bytes.data() + bytes.size() - some, some);
        const std::uint64_t mixed = (head * 0x9E3779B97F4A7C15u) ^ tail ^ bytes.size();
        return (mixed * 0xC2B2AE3D27D4EB4Fu) >> 58;  // 64 slots
    }

    std::string scratch_;
    std::array<Slot, 64> slots_;  // as many as hashOf gives
};

constexpr size_t kRecordsPerBatch = 256;

}  // namespace

void parseResultPage(const QString& page, ResultSink& sink) {
    MarkedPieces pieces(page);
    const qsizetype pieceCount = pieces.count();
    const qsizetype records = pieceCount == 0 ? 0 : pieceCount - 1;
    if (records > kMaxRecordsPerPage) {
        throw overflowError();
    }

    sink.beginPage(static_cast<int>(pieceCount));
    XmlDocument document;
    std::array<FieldTexts, kResultFieldCount> fields;
    const std::vector<XmlSelector> selectors = fieldSelectors();
    const QString missingField = QStringLiteral(" ");
    ResultFields texts{};

    // Parsing records together gives the same rows as parsing each alone, much faster. It is done
    // a batch at a time, so that the parser's memory stays small and is reused, and the batch's
    // text is read while it is in the cache; a batch with a broken record declines, and its
    // records are then parsed one by one.
    XmlRecordSet together;
    std::vector<QStringView> batch;
    for (size_t batchStart = 0; batchStart < static_cast<size_t>(records);
         batchStart += kRecordsPerBatch) {
        const size_t batchEnd =
            std::min(static_cast<size_t>(records), batchStart + kRecordsPerBatch);
        batch.clear();
        bool wholeRecords = true;
        for (size_t k = batchStart; k < batchEnd; ++k) {
            batch.push_back(cutToRecordStart(pieces.next()));
            wholeRecords = wholeRecords && beginsWith(batch.back(), kRecordOpenTag) &&
                           endsWith(batch.back(), kRecordCloseTag);
        }
        const bool parsedTogether = wholeRecords && together.load(batch, "subrief", selectors);
        for (size_t k = batchStart; k < batchEnd; ++k) {
            const QStringView record = batch[k - batchStart];
            if (!parsedTogether) {
                // A piece without an opening tag holds no record: its row shows blanks, like a
                // record that is not well-formed.
                document.loadXML(beginsWith(record, kRecordOpenTag) ? record : QStringView());
            }
            for (size_t j = 0; j < fields.size(); ++j) {
                if (parsedTogether) {
                    const pugi::xml_node first = together.firstSelected(k - batchStart, j);
                    texts[j] = first ? &fields[j].text(XmlNode(first)) : &missingField;
                } else {
                    const XmlNodeList nodes = document.selectNodes(selectors[j]);
                    texts[j] = nodes.length() == 0 ? &missingField : &fields[j].text(nodes.item(0));
                }
            }
            sink.record(static_cast<int>(k), texts);
        }
    }
    sink.endPage(records == 0 ? QStringView() : batch.back());
}

}  // namespace vantrel
