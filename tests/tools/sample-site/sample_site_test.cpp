// The sample site: its catalogue, its options, the answer to each request target, and the same
// over a loopback socket.
#include "sample-site/catalogue.h"
#include "sample-site/paging.h"
#include "sample-site/percent_decode.h"
#include "sample-site/site_options.h"
#include "sample-site/site_routes.h"
#include "sample-site/site_server.h"

#include <QByteArray>
#include <QScopeGuard>
#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>

namespace vantrel::site {
namespace {

// Line ends are CRLF, as in a file edited on Windows.
std::string catalogueLine(const std::string& id, const std::string& fileName,
                          const std::string& chName) {
    return id + "\t" + fileName + "\tSRT\t简体中文\tBluRay.1080p.x264\t1\t" + chName +
           "\t2020-01-02 03:04:05\r\n";
}

// 45 Avatar subtitles (a0000 ... a0044), then a few others.
Catalogue smallCatalogue() {
    std::string text = "# fileid\tfilename\t...\n\n";
    for (int i = 0; i < 45; ++i) {
        const std::string number = std::to_string(10000 + i).substr(1);
        text += catalogueLine("a" + number, "Avatar.2009.part" + number + ".srt",
                              "阿凡达 Avatar (2009)");
    }
    text += catalogueLine("hp1234", "Harry.Potter.srt", "哈利·波特与魔法石");
    text += catalogueLine("tg12345", "Top.Gun.1986.srt", "壮志凌云 Top Gun");
    text += catalogueLine("ss123", "Salt.&.Sugar.<Cut>.srt", "盐与糖 Salt & Sugar <导演剪辑版>");
    text += catalogueLine("pc100", "100%.Wolf.srt", "百分百狼 100% Wolf");
    text += catalogueLine("qq100", "Really.srt", "真的吗? Really?");
    return Catalogue::parse(text);
}

// An answer in brief: "<records>: <first id>-<last id>" ("none" without records), or the status
// when it is not 200. Fails the test when the XML is not well-formed.
std::string brief(const SiteResponse& response) {
    if (response.status != 200) {
        return std::to_string(response.status);
    }
    EXPECT_EQ(response.contentType, "text/xml; charset=utf-8");
    QXmlStreamReader xml(QByteArray::fromStdString(response.body));
    std::vector<std::string> ids;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"fileid") {
            ids.push_back(xml.readElementText().toStdString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return ids.empty() ? "none"
                       : std::to_string(ids.size()) + ": " + ids.front() +
                             (ids.size() > 1 ? "-" + ids.back() : "");
}

std::string parseError(const std::string& text) {
    try {
        Catalogue::parse(text);
    } catch (const CatalogueError& error) {
        return error.what();
    }
    return "no error";
}

TEST(CatalogueTest, RefusesBadLinesNamingTheLine) {
    const std::string good = catalogueLine("ab123", "x.srt", "X");
    const std::pair<std::string, std::string> cases[] = {
        {good + "cd456\t1\t2\t3\t4\t5\t6\n", "catalogue line 2: 7 fields instead of 8"},
        {good + catalogueLine("ab123", "y.srt", "Y"), "line 2: file id 'ab123' is used twice"},
        {good + "\t" + good, "line 2: more than 8 fields"},
        {catalogueLine("AB123", "x", "X"), "lower-case"},
        {catalogueLine("", "x", "X"), "lower-case"},
        {catalogueLine("ab124", "x\x1f", "X"), "control"},
        {catalogueLine("ab124", "x\x7f", "X"), "control"},
        {catalogueLine("ab124", "x", "\xE9\x98"), "UTF-8"},
        {catalogueLine("ab124", "\xFFx", "X"), "UTF-8"},
        // The tool splits result pages at this text; a name holding it would break a page.
        {catalogueLine("ab124", "PowerByQXT.srt", "X"), "holds the text PowerByQXT"}};
    for (const auto& [text, error] : cases) {
        EXPECT_NE(parseError(text).find(error), std::string::npos) << text;
    }
}

TEST(SiteOptionsTest, ParsesFlagsAndRefusesBadOnes) {
    const auto parsed = [](const std::string& commandLine) -> std::string {
        std::istringstream words(commandLine);
        const ParsedOptions result = parseOptions(
            {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()});
        if (!result.options) {
            return result.error.empty() ? "error without a text" : "error";
        }
        const SiteOptions& o = *result.options;
        return o.host + ":" + std::to_string(o.port) + " " + o.catalogue + (o.help ? " help" : "") +
               (o.version ? " version" : "");
    };
    const std::pair<const char*, const char*> cases[] = {
        {"", "127.0.0.1:8086 "},
        {"--port 0 --host=0.0.0.0 --catalogue /tmp/c.tsv", "0.0.0.0:0 /tmp/c.tsv"},
        {"--port=65535 --help", "127.0.0.1:65535  help"},
        {"--version", "127.0.0.1:8086  version"}};
    for (const auto& [commandLine, expected] : cases) {
        EXPECT_EQ(parsed(commandLine), expected) << commandLine;
    }
    for (const char* bad : {"--port", "--port 65536", "--port -1", "--port 80x",
                            "--port=", "--host=", "--verbose", "8086"}) {
        EXPECT_EQ(parsed(bad), "error") << bad;
    }
}

TEST(PercentDecodeTest, DecodesEscapesAndKeepsMalformedOnesLiterally) {
    EXPECT_EQ(percentDecode("%E9%98%BF%e5%87%a1 Top%20Gun+2 %zz%%41 %4"),
              "阿凡 Top Gun+2 %zz%A %4");
    EXPECT_EQ(percentDecode("%00 100%"), std::string("\0 100%", 6));
}

class SitePagesTest : public ::testing::Test {
protected:
    Catalogue catalogue = smallCatalogue();

    SiteResponse get(const std::string& target) {
        return respond(catalogue, "样例站 & Co", target);
    }
};

TEST_F(SitePagesTest, AnswersSearchesAndFilePagesByTarget) {
    const auto expect = [this](const std::string& expected,
                               std::initializer_list<std::string> targets) {
        for (const std::string& target : targets) {
            EXPECT_EQ(brief(get(target)), expected) << target;
        }
    };
    const std::string avatar = "/search/sub:avatar";
    // The keyword comes percent-encoded, as raw UTF-8 or with the blank as %20; file and film
    // names are searched, ignoring letter case. 20 records a page; odd page numbers mean page 1.
    expect("20: a0000-a0019",
           {"/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE", "/search/sub:阿凡达", "/search/sub:aVaTaR",
            avatar + "?page=1", avatar + "?page", avatar + "?page=0", avatar + "?page=-1",
            avatar + "?page=-99999999999999999999", avatar + "?page=abc", avatar + "?page=2x",
            avatar + "?page=:", avatar + "?page=", avatar + "?page= 2", avatar + "?page=+2"});
    expect("20: a0020-a0039", {avatar + "?page=2", avatar + "?x=1&page=2", avatar + "?page=%32"});
    expect("5: a0040-a0044", {avatar + "?page=3"});
    expect("10: a0040-qq100", {"/search/sub:?page=3"});  // an empty keyword finds everything
    expect("1: hp1234", {"/search/sub:%E5%93%88%E5%88%A9%C2%B7%E6%B3%A2%E7%89%B9"});
    expect("1: tg12345", {"/search/sub:top%20gun", "/search/sub:TOP.GUN"});
    // An escaped '?' belongs to the keyword, the first one starts the query; a stray '%' is
    // taken literally.
    expect("1: qq100", {"/search/sub:really%3F", "/search/sub:really?x?page=2"});
    expect("1: pc100", {"/search/sub:100%", "/search/sub:100%25"});
    // Past the last page, nothing matched, or keywords that are not UTF-8, hold control
    // characters or markup: a valid page without records. Past the cap once decoded: refused.
    expect("none",
           {"/search/sub:matrix", avatar + "?page=4", avatar + "?page=2147483647",
            avatar + "?page=99999999999999999999999", "/search/sub:really%3F?page=2",
            "/search/sub:%FF%FE\xC3", "/search/sub:%00%0A%0D", "/search/sub:%3C%2Fsubrief%3E",
            "/search/sub:" + std::string(kMaxKeywordBytes, 'x'),
            "/search/sub:" + QByteArray("%E9%98%BF").repeated(kMaxKeywordBytes / 3).toStdString()});
    expect("414", {"/search/sub:" + std::string(kMaxKeywordBytes + 1, 'x'),
                   "/search/sub:" + QByteArray("%E9%98%BF").repeated(400).toStdString(),
                   "/search/sub:" + std::string(20000, '%')});
    EXPECT_EQ(pageParameter("page=99999999999999999999999"), INT_MAX);
    // A file page lies under the first 3 characters of a 6-character id, else 2.
    expect("1: a0007", {"/xml/file/a0/a0007.xml"});
    expect("1: hp1234", {"/xml/file/hp1/hp1234.xml", "/xml/file/hp%31/hp1234.xml"});
    expect("1: tg12345", {"/xml/file/tg/tg12345.xml"});
    expect("404",
           {"/xml/file/hp/hp1234.xml", "/xml/file/a00/a0007.xml", "/xml/file/tg1/tg12345.xml",
            "/xml/file/zz/zz999.xml", "/xml/file/a0/a0007", "/xml/file/a0007.xml", "/xml/file/",
            "/xml/file//.xml", "/xml/file/a0/a0007.xml/x", "/search", "/search/sub",
            "/Search/sub:avatar", "/favicon.ico", "", "*"});
}

TEST_F(SitePagesTest, PagesAreExactWithMarkupInNamesEscaped) {
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    std::string record;
    std::string fileFields;
    for (const char* field :
         {"<fileid>ss123</fileid>", "<filename>Salt.&amp;.Sugar.&lt;Cut&gt;.srt</filename>",
          "<format>SRT</format>", "<language>简体中文</language>",
          "<splitby>BluRay.1080p.x264</splitby>", "<splito>1</splito>",
          "<chname>盐与糖 Salt &amp; Sugar &lt;导演剪辑版&gt;</chname>",
          "<uptime>2020-01-02 03:04:05</uptime>"}) {
        record += field;
        fileFields += std::string("\n  ") + field;
    }
    EXPECT_EQ(get("/search/sub:salt").body,
              declaration + "<subtitles page=\"1\" pages=\"1\" total=\"1\">\n<subrief>" + record +
                  "</subrief>\n</subtitles>\n");
    EXPECT_EQ(get("/xml/file/ss/ss123.xml").body,
              declaration + "<subtitle>" + fileFields + "\n</subtitle>\n");
    EXPECT_NE(
        get("/search/sub:avatar?page=2").body.find(R"(<subtitles page="2" pages="3" total="45">)"),
        std::string::npos);
    const SiteResponse home = get("/?from=app");
    EXPECT_EQ(std::pair(home.status, home.contentType),
              std::pair(200, std::string("text/html; charset=utf-8")));
    EXPECT_NE(home.body.find("<h1>样例站 &amp; Co</h1>"), std::string::npos);
    EXPECT_NE(home.body.find(R"(href="/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE")"),
              std::string::npos);
}

TEST(SiteServerTest, AnswersOverHttpAndLogsEachRequest) {
    const Catalogue catalogue = smallCatalogue();
    std::mutex logMutex;
    std::vector<std::string> logged;
    SiteServer server(catalogue, "site", [&](const std::string& line) {
        const std::lock_guard<std::mutex> lock(logMutex);
        logged.push_back(line);
    });
    const int port = server.bind("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    // A busy port is an error, and an idle server stops (here when it goes) without harm.
    EXPECT_EQ(SiteServer(catalogue, "site").bind("127.0.0.1", port), -1);
    std::thread serving([&server] { EXPECT_TRUE(server.serve()); });
    // Once serve() has returned, its worker threads are gone and have logged every request. The
    // socket listens from bind() on, so the requests below are answered once serving starts.
    const auto stopServing = [&] {
        server.stop();
        if (serving.joinable()) {
            serving.join();
        }
    };
    const auto stopOnEveryWayOut = qScopeGuard(stopServing);

    httplib::Client client("127.0.0.1", port);
    const auto get = [&client](const std::string& target) {
        const httplib::Result answer = client.Get(target);
        return answer
                   ? brief({answer->status, answer->get_header_value("Content-Type"), answer->body})
                   : "no answer: " + httplib::to_string(answer.error());
    };
    // The client percent-encodes the path as UTF-8, the blank as %20.
    EXPECT_EQ(get("/search/sub:阿凡达?page=3"), "5: a0040-a0044");
    const httplib::Result head = client.Head("/");
    EXPECT_TRUE(head && head->status == 200);
    client.set_url_encode(false);  // UTF-8 sent raw on the request line is read the same way
    EXPECT_EQ(get("/search/sub:哈利·波特"), "1: hp1234");

    stopServing();
    // Connections log in the order they end: the lines are compared sorted, without body sizes.
    for (std::string& line : logged) {
        line.erase(line.rfind(' '));
    }
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(logged, (std::vector<std::string>{
                          "127.0.0.1 GET /search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE?page=3 200",
                          "127.0.0.1 GET /search/sub:哈利·波特 200", "127.0.0.1 HEAD / 200"}));
    // Control characters in a target are written as %XX, so that a log line stays one line.
    EXPECT_EQ(requestLogLine("::1", "GET", "/a\n\x1f\x7f\xE9", 404, 3),
              "::1 GET /a%0A%1F%7F\xE9 404 3");
}

}  // namespace
}  // namespace vantrel::site
