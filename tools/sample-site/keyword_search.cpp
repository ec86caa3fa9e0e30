#include "sample-site/keyword_search.h"

#include <QString>

namespace vantrel::site {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

std::vector<const SubtitleEntry*> findMatches(const Catalogue& catalogue,
                                              std::string_view keyword) {
    const QString wanted = fromUtf8(keyword);
    std::vector<const SubtitleEntry*> matches;
    for (const SubtitleEntry& entry : catalogue.entries()) {
        if (fromUtf8(entry[Field::FileName]).contains(wanted, Qt::CaseInsensitive) ||
            fromUtf8(entry[Field::ChName]).contains(wanted, Qt::CaseInsensitive)) {
            matches.push_back(&entry);
        }
    }
    return matches;
}

}  // namespace vantrel::site
