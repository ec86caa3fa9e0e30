#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace vantrel::site {

// Where the bundled catalogue is looked for, in order: beside the program (a build tree), the
// installed data folder relative to the program, then the source tree it was built from.
std::vector<std::filesystem::path> catalogueCandidates(const std::filesystem::path& programDir);

// The first candidate that exists.
std::optional<std::filesystem::path> findCatalogue(const std::filesystem::path& programDir);

// The catalogue of the source tree this program was built from.
std::filesystem::path sourceCatalogue();

}  // namespace vantrel::site
