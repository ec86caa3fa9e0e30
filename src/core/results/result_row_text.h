#pragma once

#include <QString>
#include <QStringList>

namespace vantrel {

// Whether a row's file id names a file at all: the fill writes a blank for a missing id.
bool hasFileId(const QString& fileId);

// A row's fields as one line of text, tab-separated, for pasting into a sheet or a message.
// Tabs and line breaks inside a field become blanks, so the line keeps its shape.
QString resultRowLine(const QStringList& fields);

}  // namespace vantrel
