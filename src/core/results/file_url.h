#pragma once

#include <QString>

namespace vantrel {

// The address of a subtitle's XML file page on the site: the file address, a prefix of the id,
// "/", the id and ".xml". The prefix is the first three characters of a six-character id and the
// first two of any other (the whole id when it is shorter). Nothing is encoded here.
QString subtitleFileUrl(const QString& host, const QString& fileId);

}  // namespace vantrel
