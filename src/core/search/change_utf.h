#pragma once

#include <QString>

namespace vantrel {

// Percent-encodes text as UTF-8 for the site's search path, one UTF-16 code unit at a time:
// ASCII stays as it is (blanks and '%' included), every other unit becomes two or three %XX
// groups. Surrogates are encoded each on its own, as the site expects.
QString ChangeUtf(const QString& text);

}  // namespace vantrel
