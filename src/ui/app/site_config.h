#pragma once

#include <QString>

namespace vantrel {

// Where the window finds the subtitle site and what it shows about it.
struct SiteConfig {
    QString host;      // host[:port] of the subtitle site
    QString name;      // the site's name, shown in the description
    QString promoUrl;  // opened by the link label
    QString contact;   // the author's address in the version label

    // The texts chosen when the program was built.
    static SiteConfig compiledIn();
};

}  // namespace vantrel
