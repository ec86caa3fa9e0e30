#include "sample-site/paging.h"

#include "sample-site/percent_decode.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace vantrel::site {
namespace {

int parsePageNumber(std::string_view text) {
    if (text.empty()) {
        return 1;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return 1;
        }
        value = std::min<std::int64_t>(value * 10 + (c - '0'), INT_MAX);
    }
    return value == 0 ? 1 : static_cast<int>(value);
}

}  // namespace

std::optional<int> pageParameter(std::string_view query) {
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = query.find('&', start);
        if (end == std::string_view::npos) {
            end = query.size();
        }
        const std::string_view pair = query.substr(start, end - start);
        const std::size_t equals = pair.find('=');
        if (pair.substr(0, equals) == "page") {
            return equals == std::string_view::npos
                       ? 1
                       : parsePageNumber(percentDecode(pair.substr(equals + 1)));
        }
        start = end + 1;
    }
    return std::nullopt;
}

ResultPage selectPage(const std::vector<const SubtitleEntry*>& matches, int page) {
    ResultPage result;
    result.number = std::max(page, 1);
    result.total = matches.size();
    result.pageCount = static_cast<int>((matches.size() + kRecordsPerPage - 1) / kRecordsPerPage);
    // 64-bit, so that the largest page number cannot overflow the offset.
    const std::uint64_t first = std::uint64_t(result.number - 1) * kRecordsPerPage;
    if (first < matches.size()) {
        const std::size_t last = std::min<std::size_t>(first + kRecordsPerPage, matches.size());
        result.records.assign(matches.begin() + std::ptrdiff_t(first),
                              matches.begin() + std::ptrdiff_t(last));
    }
    return result;
}

}  // namespace vantrel::site
