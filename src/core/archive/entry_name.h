#pragma once

#include <QByteArrayView>
#include <QString>

namespace vantrel {

// An entry's name from the bytes the archive holds: UTF-8 when they are (zip's UTF-8 flag, 7z,
// rar 5), else what Chinese archivers write without saying so, GBK (read as GB18030) or Big5,
// else UTF-8 with replacement characters. Control characters become U+FFFD, so that a name
// always fits on one line of a list; a leading "./" is dropped.
QString decodeEntryName(QByteArrayView raw);

}  // namespace vantrel
