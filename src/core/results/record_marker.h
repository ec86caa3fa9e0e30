#pragma once

#include "results/record_tags.h"

#include <QString>

namespace vantrel {

// Returns page with kRecordMarker inserted behind every kRecordCloseTag: exact, case-sensitive,
// left to right. A page handed over as its text's only owner is marked in its own memory, without
// a copy.
QString insertRecordMarkers(QString page);

}  // namespace vantrel
