#include "sample-site/page_render.h"

#include "sample-site/xml_escape.h"

namespace vantrel::site {
namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

void appendFields(std::string& out, const SubtitleEntry& entry, std::string_view separator) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        out += separator;
        out += '<';
        out += kFieldTags[i];
        out += '>';
        out += escapeXml(entry.fields[i]);
        out += "</";
        out += kFieldTags[i];
        out += '>';
    }
}

}  // namespace

std::string renderResultPage(const ResultPage& page) {
    std::string out(kXmlDeclaration);
    out += "<subtitles page=\"" + std::to_string(page.number) + "\" pages=\"" +
           std::to_string(page.pageCount) + "\" total=\"" + std::to_string(page.total) + "\">\n";
    for (const SubtitleEntry* entry : page.records) {
        out += "<subrief>";
        appendFields(out, *entry, {});
        out += "</subrief>\n";
    }
    out += "</subtitles>\n";
    return out;
}

std::string renderFilePage(const SubtitleEntry& entry) {
    std::string out(kXmlDeclaration);
    out += "<subtitle>";
    appendFields(out, entry, "\n  ");
    out += "\n</subtitle>\n";
    return out;
}

std::string renderHomePage(std::string_view siteName, const Catalogue& catalogue) {
    const std::string name = escapeXml(siteName);
    std::string out =
        "<!DOCTYPE html>\n"
        "<html lang=\"zh-CN\">\n"
        "<head><meta charset=\"utf-8\"><title>" +
        name +
        "</title></head>\n"
        "<body>\n"
        "<h1>" +
        name + "</h1>\n<p>本站收录字幕 " + std::to_string(catalogue.entries().size()) +
        " 个。</p>\n"
        "<p>搜索示例：</p>\n<ul>\n";
    // Links carry the keyword percent-encoded as UTF-8, as the search path expects.
    const std::pair<std::string_view, std::string_view> samples[] = {
        {"阿凡达", "%E9%98%BF%E5%87%A1%E8%BE%BE"},
        {"哈利·波特", "%E5%93%88%E5%88%A9%C2%B7%E6%B3%A2%E7%89%B9"},
        {"Top Gun", "Top%20Gun"},
    };
    for (const auto& [label, encoded] : samples) {
        out += "<li><a href=\"/search/sub:";
        out += encoded;
        out += "\">";
        out += escapeXml(label);
        out += "</a></li>\n";
    }
    out += "</ul>\n</body>\n</html>\n";
    return out;
}

}  // namespace vantrel::site
