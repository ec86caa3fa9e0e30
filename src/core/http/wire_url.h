#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel {

// The URL as it goes on the request line: UTF-8, with every byte that cannot stand raw there
// (blank, control characters, non-ASCII) written as %XX. Everything else, '%' included, is kept,
// so that a keyword that is already percent-encoded arrives unchanged.
QByteArray toWireUrl(const QString& url);

}  // namespace vantrel
