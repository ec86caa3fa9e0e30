#include "sample-site/site_routes.h"

#include "sample-site/keyword_search.h"
#include "sample-site/page_render.h"
#include "sample-site/paging.h"
#include "sample-site/percent_decode.h"

#include <optional>

namespace vantrel::site {
namespace {

constexpr std::string_view kSearchPath = "/search/sub:";
constexpr std::string_view kFilePath = "/xml/file/";
constexpr std::string_view kFileSuffix = ".xml";

constexpr const char* kXmlType = "text/xml; charset=utf-8";
constexpr const char* kHtmlType = "text/html; charset=utf-8";
constexpr const char* kTextType = "text/plain; charset=utf-8";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

SiteResponse notFound() {
    return {404, kTextType, "404 Not Found\n"};
}

// The tool writes '?' (and the other characters that would change the URL) in a keyword as "%"
// groups, so the first '?' starts the query, which may carry the page number.
SiteResponse searchPage(const Catalogue& catalogue, std::string_view pathAndQuery) {
    const std::size_t question = pathAndQuery.find('?');
    const std::string_view encodedKeyword = pathAndQuery.substr(0, question);
    std::optional<int> page;
    if (question != std::string_view::npos) {
        page = pageParameter(pathAndQuery.substr(question + 1));
    }
    // Decoding shortens a text at most threefold: a longer one is refused before decoding.
    if (encodedKeyword.size() > 3 * kMaxKeywordBytes) {
        return {414, kTextType, "414 keyword too long\n"};
    }
    const std::string keyword = percentDecode(encodedKeyword);
    if (keyword.size() > kMaxKeywordBytes) {
        return {414, kTextType, "414 keyword too long\n"};
    }
    return {200, kXmlType,
            renderResultPage(selectPage(findMatches(catalogue, keyword), page.value_or(1)))};
}

SiteResponse filePage(const Catalogue& catalogue, std::string_view rest) {
    // rest: "<prefix>/<id>.xml"
    const std::string decoded = percentDecode(rest);
    const std::string_view path = decoded;
    const std::size_t slash = path.find('/');
    if (slash == std::string_view::npos || !endsWith(path, kFileSuffix)) {
        return notFound();
    }
    const std::string_view prefix = path.substr(0, slash);
    const std::string_view name = path.substr(slash + 1);
    const std::string_view id = name.substr(0, name.size() - kFileSuffix.size());
    const SubtitleEntry* entry = catalogue.find(id);
    if (entry == nullptr || prefix != filePrefix(id)) {
        return notFound();
    }
    return {200, kXmlType, renderFilePage(*entry)};
}

}  // namespace

std::string filePrefix(std::string_view fileId) {
    return std::string(fileId.substr(0, fileId.size() == 6 ? 3 : 2));
}

SiteResponse respond(const Catalogue& catalogue, std::string_view siteName,
                     std::string_view target) {
    if (startsWith(target, kSearchPath)) {
        return searchPage(catalogue, target.substr(kSearchPath.size()));
    }
    const std::string_view path = target.substr(0, target.find('?'));
    if (path == "/") {
        return {200, kHtmlType, renderHomePage(siteName, catalogue)};
    }
    if (startsWith(path, kFilePath)) {
        return filePage(catalogue, path.substr(kFilePath.size()));
    }
    return notFound();
}

}  // namespace vantrel::site
