#include "sample-site/catalogue.h"

#include <QStringDecoder>

#include <fstream>
#include <sstream>

namespace vantrel::site {
namespace {

// The tool cuts a result page into records at this text, so no field may contain it.
constexpr std::string_view kClientRecordMarker = "PowerByQXT";

[[noreturn]] void failAt(std::size_t lineNumber, const std::string& what) {
    throw CatalogueError("catalogue line " + std::to_string(lineNumber) + ": " + what);
}

bool isValidUtf8(std::string_view text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // Stateless: a sequence cut off at the end is an error too. The decoder does its work
    // when its result is turned into a string.
    const QString decoded = decoder(QByteArrayView(text.data(), qsizetype(text.size())));
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

bool isFileId(std::string_view id) {
    if (id.empty()) {
        return false;
    }
    for (char c : id) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

void checkField(std::size_t lineNumber, std::string_view tag, std::string_view value) {
    for (char c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            failAt(lineNumber, std::string(tag) + " holds a control character");
        }
    }
    if (!isValidUtf8(value)) {
        failAt(lineNumber, std::string(tag) + " is not UTF-8");
    }
    if (value.find(kClientRecordMarker) != std::string_view::npos) {
        failAt(lineNumber,
               std::string(tag) + " holds the text " + std::string(kClientRecordMarker));
    }
}

SubtitleEntry parseLine(std::size_t lineNumber, std::string_view line) {
    SubtitleEntry entry;
    std::size_t field = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        if (field == kFieldCount) {
            failAt(lineNumber, "more than " + std::to_string(kFieldCount) + " fields");
        }
        const std::string_view value = line.substr(start, tab - start);
        checkField(lineNumber, kFieldTags[field], value);
        entry.fields[field++] = std::string(value);
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    if (field != kFieldCount) {
        failAt(lineNumber,
               std::to_string(field) + " fields instead of " + std::to_string(kFieldCount));
    }
    if (!isFileId(entry.fileId())) {
        failAt(lineNumber, "file id '" + entry.fileId() + "' is not lower-case letters and digits");
    }
    return entry;
}

}  // namespace

Catalogue Catalogue::parse(std::string_view text) {
    Catalogue catalogue;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        SubtitleEntry entry = parseLine(lineNumber, line);
        const auto [at, inserted] =
            catalogue.indexById_.emplace(entry.fileId(), catalogue.entries_.size());
        if (!inserted) {
            failAt(lineNumber, "file id '" + entry.fileId() + "' is used twice");
        }
        catalogue.entries_.push_back(std::move(entry));
    }
    return catalogue;
}

Catalogue Catalogue::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw CatalogueError("cannot read " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return parse(text.str());
    } catch (const CatalogueError& error) {
        throw CatalogueError(file.string() + ": " + error.what());
    }
}

const SubtitleEntry* Catalogue::find(std::string_view fileId) const {
    const auto at = indexById_.find(std::string(fileId));
    return at == indexById_.end() ? nullptr : &entries_[at->second];
}

}  // namespace vantrel::site
