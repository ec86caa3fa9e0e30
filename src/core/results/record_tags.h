#pragma once

#include <QString>

namespace vantrel {

// The site's result records: each stands between these two tags. The download puts the marker
// right behind every closing tag (insertRecordMarkers), and reading the page cuts it at the
// markers (MarkedPieces): the marker, not the tag, is where one record ends.
inline const QString kRecordOpenTag = QStringLiteral("<subrief>");
inline const QString kRecordCloseTag = QStringLiteral("</subrief>");
inline const QString kRecordMarker = QStringLiteral("PowerByQXT");

}  // namespace vantrel
