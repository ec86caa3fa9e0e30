#include "results/result_fill.h"

#include "grid/grid.h"
#include "platform/app_error.h"
#include "platform/hidden_text_field.h"
#include "platform/xml_document.h"
#include "results/record_pieces.h"

#include <array>

namespace vantrel {

namespace {

// The fields of a record, in the order of grid columns 1 to 8.
constexpr std::array<const char16_t*, 8> kFieldExpressions{
    u"//fileid",  u"//filename", u"//format", u"//language",
    u"//splitby", u"//splito",   u"//chname", u"//uptime"};

std::array<XmlSelector, 8> fieldSelectors() {
    return {XmlSelector::parse(kFieldExpressions[0]), XmlSelector::parse(kFieldExpressions[1]),
            XmlSelector::parse(kFieldExpressions[2]), XmlSelector::parse(kFieldExpressions[3]),
            XmlSelector::parse(kFieldExpressions[4]), XmlSelector::parse(kFieldExpressions[5]),
            XmlSelector::parse(kFieldExpressions[6]), XmlSelector::parse(kFieldExpressions[7])};
}

}  // namespace

void fillGridFromPage(const QString& page, Grid& grid, HiddenTextField& recordField) {
    const std::vector<QStringView> pieces = splitAtRecordMarkers(page);
    const int records = pieces.empty() ? 0 : static_cast<int>(pieces.size()) - 1;
    if (records > kMaxRecordsPerPage) {
        throw overflowError();
    }

    grid.setRows(1);
    XmlDocument document;
    const std::array<XmlSelector, 8> selectors = fieldSelectors();
    const QString missingField = QStringLiteral(" ");
    grid.setRows(static_cast<int>(pieces.size()));

    for (int k = 0; k < records; ++k) {
        const QStringView piece = pieces[static_cast<size_t>(k)];
        const QStringView record = cutToRecordStart(piece);
        recordField.setText(record.toString());
        // A piece without an opening tag holds no record: its row shows blanks, like a record
        // that is not well-formed.
        if (record.startsWith(kRecordOpenTag)) {
            document.loadXML(recordField.text());
        } else {
            document.loadXML(QStringView());
        }
        for (int j = 0; j < 8; ++j) {
            const XmlNodeList nodes = document.selectNodes(selectors[static_cast<size_t>(j)]);
            grid.Cell(k + 1, j + 1)
                .setText(nodes.length() == 0 ? missingField : nodes.item(0).text());
        }
    }

    grid.Range(0, 0, grid.Rows() - 1, grid.Cols() - 1).setLocked(true);
    const QString downloadMark = QStringLiteral("下载>>");
    const int rows = grid.Rows();
    for (int r = 1; r < rows; ++r) {
        grid.Cell(r, 0).setText(downloadMark);
        grid.ResetRowHeight(r);
    }
}

}  // namespace vantrel
