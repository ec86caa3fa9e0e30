#pragma once

// Download sites' names and addresses written into release names, which name no film.
#include <QString>

namespace vantrel {

// The name with every site's name and address blanked out.
QString withoutSites(QString name);

}  // namespace vantrel
