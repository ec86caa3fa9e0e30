#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::site {

// The eight fields of a subtitle, in the order the site writes them into a record.
enum class Field { FileId, FileName, Format, Language, SplitBy, SplitO, ChName, UpTime };
inline constexpr std::size_t kFieldCount = 8;

// The element name of each field, indexed by Field.
inline constexpr std::array<std::string_view, kFieldCount> kFieldTags{
    "fileid", "filename", "format", "language", "splitby", "splito", "chname", "uptime"};

// One subtitle of the catalogue; every field is UTF-8 text.
struct SubtitleEntry {
    std::array<std::string, kFieldCount> fields;

    const std::string& operator[](Field field) const {
        return fields[static_cast<std::size_t>(field)];
    }
    const std::string& fileId() const { return (*this)[Field::FileId]; }
};

}  // namespace vantrel::site
