#pragma once

#include <QString>

namespace vantrel {

// The site closes every result record with this tag; the download puts the marker right behind
// each one so that the parser can cut the page into records.
inline const QString kRecordCloseTag = QStringLiteral("</subrief>");
inline const QString kRecordMarker = QStringLiteral("PowerByQXT");

// Returns page with kRecordMarker inserted behind every kRecordCloseTag: exact, case-sensitive,
// left to right. A page handed over as its text's only owner is marked in its own memory, without
// a copy.
QString insertRecordMarkers(QString page);

}  // namespace vantrel
