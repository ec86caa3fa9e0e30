#pragma once

#include "sample-site/subtitle_entry.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vantrel::site {

// A catalogue that cannot be used; the message names the file or line at fault.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The subtitles the site serves, in the order of the data file. Read-only once built, so the
// server's worker threads share it without locking.
class Catalogue {
public:
    Catalogue() = default;

    // One subtitle a line, its eight fields separated by tabs; blank lines and lines starting
    // with '#' are skipped. File ids are lower-case letters and digits and unique; every field
    // is UTF-8 without control characters. Throws CatalogueError on the first bad line.
    static Catalogue parse(std::string_view text);
    static Catalogue load(const std::filesystem::path& file);

    const std::vector<SubtitleEntry>& entries() const { return entries_; }
    // nullptr when no subtitle has that id.
    const SubtitleEntry* find(std::string_view fileId) const;

private:
    std::vector<SubtitleEntry> entries_;
    std::unordered_map<std::string, std::size_t> indexById_;
};

}  // namespace vantrel::site
