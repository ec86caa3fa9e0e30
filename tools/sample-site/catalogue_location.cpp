#include "sample-site/catalogue_location.h"

#include "sample-site/site_build_config.h"

namespace vantrel::site {

std::vector<std::filesystem::path> catalogueCandidates(const std::filesystem::path& programDir) {
    return {programDir / "catalogue.tsv",
            (programDir / VANTREL_SITE_INSTALLED_CATALOGUE).lexically_normal(), sourceCatalogue()};
}

std::optional<std::filesystem::path> findCatalogue(const std::filesystem::path& programDir) {
    for (const std::filesystem::path& candidate : catalogueCandidates(programDir)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::filesystem::path sourceCatalogue() {
    return VANTREL_SITE_SOURCE_CATALOGUE;
}

}  // namespace vantrel::site
