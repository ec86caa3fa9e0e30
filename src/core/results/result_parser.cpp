#include "results/result_parser.h"

#include "base/app_error.h"
#include "results/plain_record.h"
#include "results/record_pieces.h"
#include "results/record_tags.h"
#include "xml/xml_document.h"
#include "xml/xml_record_set.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

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
// version or date), next to each other or a few records apart: the texts met lately are kept, and
// a repeated one shares the string made before. That saves an allocation and the memory of a
// cell.
class FieldTexts {
public:
    const QString& text(QStringView text) {
        Slot& slot = slots_[hashOf(text)];
        if (!slot.used || slot.text.size() != text.size() ||
            !std::equal(text.begin(), text.end(), slot.text.cbegin())) {
            slot.text = text.toString();
            slot.used = true;
        }
        return slot.text;
    }
    // The same for a text the XML loader read, in UTF-8.
    const QString& text(XmlNode node) {
        const std::string_view utf8 = node.utf8Text(scratch_);
        QString converted = textFromUtf8(utf8);
        Slot& slot = slots_[hashOf(converted)];
        if (!slot.used || slot.text != converted) {
            slot.text = std::move(converted);
            slot.used = true;
        }
        return slot.text;
    }

private:
    struct Slot {
        QString text;
        bool used = false;
    };
    // The length and the first and last four units: texts that differ nearly always differ there
    // (ids, dates and part numbers at the end), and a hash of every unit would cost more than
    // the copy it saves.
    static std::uint64_t hashOf(QStringView text) {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        const size_t some = std::min(static_cast<size_t>(text.size()), sizeof head / 2) * 2;
        std::memcpy(&head, text.utf16(), some);
        std::memcpy(&tail, text.utf16() + text.size() - some / 2, some);
        const std::uint64_t mixed =
            (head * 0x9E3779B97F4A7C15u) ^ tail ^ static_cast<std::uint64_t>(text.size());
        return (mixed * 0xC2B2AE3D27D4EB4Fu) >> 58;  // 64 slots
    }

    std::string scratch_;
    std::array<Slot, 64> slots_;  // as many as hashOf gives
};

constexpr size_t kRecordsPerBatch = 256;
constexpr size_t kNotOther = ~size_t{0};

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

    // Most records are plain and read straight from the page. The others are parsed as XML
    // together, which gives the same rows as parsing each alone, much faster; a set with a broken
    // record declines, and its records are then parsed one by one. It is all done a batch at a
    // time, so that the parser's memory stays small and is reused, and the batch's text is read
    // while it is in the cache.
    std::vector<std::string> fieldNames;
    for (const XmlSelector& selector : selectors) {
        fieldNames.push_back(selector.elementName());
    }
    const PlainRecordReader plainReader(u"subrief", fieldNames);
    XmlRecordSet together;
    std::vector<QStringView> batch;
    std::vector<std::array<QStringView, kResultFieldCount>> plainTexts(kRecordsPerBatch);
    std::vector<QStringView> others;                // the batch's records that are not plain
    std::vector<size_t> otherOf(kRecordsPerBatch);  // batch index -> index in others, if there
    for (size_t batchStart = 0; batchStart < static_cast<size_t>(records);
         batchStart += kRecordsPerBatch) {
        const size_t batchEnd =
            std::min(static_cast<size_t>(records), batchStart + kRecordsPerBatch);
        batch.clear();
        others.clear();
        bool wholeOthers = true;
        for (size_t k = batchStart; k < batchEnd; ++k) {
            const QStringView record = cutToRecordStart(pieces.next());
            batch.push_back(record);
            const bool whole =
                beginsWith(record, kRecordOpenTag) && endsWith(record, kRecordCloseTag);
            if (!whole || !plainReader.read(record, plainTexts[k - batchStart].data())) {
                otherOf[k - batchStart] = others.size();
                others.push_back(record);
                wholeOthers = wholeOthers && whole;
            } else {
                otherOf[k - batchStart] = kNotOther;
            }
        }
        const bool parsedTogether =
            !others.empty() && wholeOthers && together.load(others, "subrief", selectors);
        for (size_t k = batchStart; k < batchEnd; ++k) {
            const QStringView record = batch[k - batchStart];
            const size_t other = otherOf[k - batchStart];
            if (other == kNotOther) {
                const std::array<QStringView, kResultFieldCount>& plain =
                    plainTexts[k - batchStart];
                for (size_t j = 0; j < fields.size(); ++j) {
                    texts[j] = plain[j].isNull() ? &missingField : &fields[j].text(plain[j]);
                }
                sink.record(static_cast<int>(k), texts);
                continue;
            }
            if (!parsedTogether) {
                // A piece without an opening tag holds no record: its row shows blanks, like a
                // record that is not well-formed.
                document.loadXML(beginsWith(record, kRecordOpenTag) ? record : QStringView());
            }
            for (size_t j = 0; j < fields.size(); ++j) {
                if (parsedTogether) {
                    const pugi::xml_node first = together.firstSelected(other, j);
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
