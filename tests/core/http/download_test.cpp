// The download layer against loopback servers (what goes on the wire, how each failure and bound
// is reported) and the decoding of a body into page text.
#include "base/app_error.h"
#include "http/body_text.h"
#include "http/curl_http_client.h"
#include "support/loopback_server.h"
#include "support/qt_printing.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <thread>
#include <tuple>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using testing::RawReply;

// The error number (0 on success) and the page text or the error's description.
struct Outcome {
    int number = 0;
    QString text;
};

Outcome fetch(const QString& url, const DownloadLimits& limits = {},
              HttpRequest::KeepWaiting keepWaiting = {}) {
    CurlHttpClient client(limits);
    const std::unique_ptr<HttpRequest> request = client.createRequest();
    try {
        request->Open(u"GET"_s, url, false);
        EXPECT_EQ(request->readyState(), 1);
        request->setKeepWaiting(std::move(keepWaiting));
        request->send();
    } catch (const AppError& error) {
        EXPECT_NE(request->readyState(), HttpRequest::ReadyStateComplete) << url.toStdString();
        return {error.number(), error.description()};
    }
    EXPECT_EQ(request->readyState(), HttpRequest::ReadyStateComplete);
    return {0, request->responseText()};
}

// A whole reply that ends its connection.
std::string reply(const std::string& status, const std::string& headers, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers +
           "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

std::string chunked(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
           QByteArray::number(qsizetype(body.size()), 16).toStdString() + "\r\n" + body +
           "\r\n0\r\n\r\n";
}

// A redirect whose own page names a charset: only the last page's counts.
std::string redirect(const std::string& to) {
    return reply("302 Found", "Location: " + to + "\r\nContent-Type: text/html; charset=utf-8\r\n",
                 "moved");
}

// A "deflate" body: zlib's stream, without the length that qCompress puts in front of it.
std::string deflated(const QByteArray& data) {
    return qCompress(data, 9).mid(4).toStdString();
}

TEST(Download, EncodesOnlyWhatCannotStandRaw) {
    const testing::RawReplyServer server({});
    for (const QString& path : {
             u"/search/sub:%E9%98%BF%E5%87%A1 2?page=2#top"_s,  // as the search URL carries it
             u"/search/sub:阿凡达\t\x7F"_s,                     // raw non-ASCII and controls
             u"/100%/a%zz%2f?q=%&r=\"<é>\""_s,                  // '%' and other ASCII as given
             u"/search/sub:..%5C%2Fx%3F%23%25"_s,               // the keyword's own escapes
         }) {
        fetch(server.baseUrl() + path);
    }
    std::vector<std::string> lines;
    for (const std::string& head : server.requests()) {
        lines.push_back(head.substr(0, head.find("\r\n")));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "GET /search/sub:%E9%98%BF%E5%87%A1%202?page=2 HTTP/1.1",
                         "GET /search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE%09%7F HTTP/1.1",
                         "GET /100%/a%zz%2f?q=%&r=\"<%C3%A9>\" HTTP/1.1",
                         "GET /search/sub:..%5C%2Fx%3F%23%25 HTTP/1.1"}));
}

TEST(Download, AnswersEachReplyWithItsPageOrTheNamedCause) {
    constexpr qint64 kCap = 64 * 1024;
    const testing::ClosedPort closed;
    const std::string closedHost = closed.baseUrl().mid(7).toStdString();
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    std::string manyHeaders = ok;
    for (int i = 0; i < 300; ++i) {
        manyHeaders += "X-Filler: " + std::string(1000, 'h') + "\r\n";
    }
    const std::string packed = deflated(QByteArray(20000, 'x'));
    const Outcome refused{errors::InvalidUrl, u"无效的网址"_s},
        notUnderstood{errors::DownloadFailed, u"下载失败：网站的回应无法识别"_s},
        malformed{errors::DownloadFailed, u"下载失败：网站的回应格式不正确"_s},
        headersTooLarge{errors::DownloadFailed, u"下载失败：网站的回应头过大"_s},
        cutShort{errors::DownloadFailed, u"下载失败：连接中断"_s},
        tooLarge{errors::DownloadFailed, u"下载失败：页面过大"_s},
        noConnection{errors::CannotConnect, u"无法连接到服务器"_s};
    // A path is served by the raw server. The URLs that must be refused point at a closed port, so
    // that one let through fails otherwise.
    const std::tuple<std::string, RawReply, Outcome> cases[] = {
        {"/missing", {reply("404 Not Found", "", "<h1>gone</h1>")}, {0, u"<h1>gone</h1>"_s}},
        {"/broken", {reply("500 Oops", "", "<subrief>")}, {0, u"<subrief>"_s}},
        {"/folded",
         {reply("200 OK",
                "Content-Type: text/plain; charset=utf-8\r\n"  // of two, the last counts
                "Content-Type: text/html;\r\n charset=gbk\r\nContent-Encoding: deflate\r\n",
                deflated("\xD7\xD6"))},
         {0, u"字"_s}},
        {"/hop/10", {}, {0, u"字"_s}},
        {"/hop/11", {}, {errors::DownloadFailed, u"下载失败：重定向次数过多"_s}},
        {"/to-file", {redirect("file:///etc/passwd")}, refused},
        {"/to-ftp", {redirect("ftp://" + closedHost + "/")}, refused},
        {"SearchURL?page=2", {}, refused},
        {"", {}, refused},
        {"   ", {}, refused},
        {"http://", {}, refused},
        {"mailto:me@example.org", {}, refused},
        {"file:///etc/passwd", {}, refused},
        {"ftp://" + closedHost + "/x", {}, refused},
        {closedHost + "/x", {}, refused},
        {"http://" + closedHost + "/x", {}, noConnection},
        {"https://" + closedHost + "/x", {}, noConnection},
        {"/to-bad-reply", {redirect("/bad-status")}, notUnderstood},
        {"/no-status-line", {"hello\r\n\r\nbody"}, notUnderstood},
        {"/http-3", {"HTTP/3.0 200 OK\r\nContent-Length: 2\r\n\r\nok"}, notUnderstood},
        {"/bad-status", {"HTTP/1.1 2x0 OK\r\nContent-Length: 2\r\n\r\nok"}, notUnderstood},
        {"/huge-header-line",
         {ok + "X-Huge: " + std::string(200 * 1024, 'h') + "\r\nContent-Length: 2\r\n\r\nok"},
         headersTooLarge},
        {"/many-headers", {manyHeaders + "Content-Length: 2\r\n\r\nok"}, headersTooLarge},
        {"/headers-cut-off", {ok + "Content-Ty"}, cutShort},
        {"/bad-chunk",
         {ok + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\nzz\r\nxx\r\n0\r\n\r\n"},
         malformed},
        {"/bad-gzip", {reply("200 OK", "Content-Encoding: gzip\r\n", "0123456789")}, malformed},
        {"/body-cut-short", {ok + "Content-Length: 100\r\n\r\nabc"}, cutShort},
        {"/reset-mid-body",
         {ok + "Content-Length: 60000\r\n\r\n" + std::string(1000, 'a'), true},
         cutShort},
        {"/packed-cut-short",
         {ok + "Content-Encoding: deflate\r\nContent-Length: " + std::to_string(packed.size()) +
          "\r\n\r\n" + packed.substr(0, packed.size() / 2)},
         cutShort},
        {"/empty", {""}, {errors::DownloadFailed, u"下载失败：服务器没有返回任何数据"_s}},
        {"/at-cap", {chunked(std::string(kCap, 'a'))}, {0, QString(kCap, u'a')}},
        {"/chunked-over-cap", {chunked(std::string(kCap + 1, 'a'))}, tooLarge},
        {"/over-cap", {reply("200 OK", "", std::string(kCap + 1, 'a'))}, tooLarge},
        {"/packed-over-cap",
         {reply("200 OK", "Content-Encoding: deflate\r\n", deflated(QByteArray(kCap + 1, '\0')))},
         tooLarge},
    };
    std::map<std::string, RawReply> replies{
        {"/hop/0", {reply("200 OK", "Content-Type: text/html; charset=gbk\r\n", "\xD7\xD6")}}};
    for (int hop = 1; hop <= 11; ++hop) {
        replies["/hop/" + std::to_string(hop)] = {redirect("/hop/" + std::to_string(hop - 1))};
    }
    for (const auto& [target, served, expected] : cases) {
        replies.emplace(target, served);
    }
    const testing::RawReplyServer server(replies);
    DownloadLimits limits;
    limits.maxBodyBytes = kCap;
    for (const auto& [target, served, expected] : cases) {
        const QString url = (target.rfind('/', 0) == 0 ? server.baseUrl() : QString()) +
                            QString::fromStdString(target);
        const Outcome got = fetch(url, limits);
        EXPECT_EQ(got.number, expected.number) << target;
        EXPECT_TRUE(got.text.startsWith(expected.text) &&
                    !got.text.contains(u"memory"_s, Qt::CaseInsensitive))
            << target << ": " << got.text.left(200).toStdString();
    }
    // The client names itself and asks for compressed pages.
    const std::string head = server.requests().at(0);
    EXPECT_TRUE(
        std::regex_search(head, std::regex("\r\nUser-Agent: Vantrel/[0-9]+\\.[0-9]+\\.[0-9]+\r\n")))
        << head;
    EXPECT_TRUE(std::regex_search(head, std::regex("\r\nAccept-Encoding: .*gzip"))) << head;
}

TEST(Download, StopsAServerThatFallsSilentOrTricklesAndWhenTheCallerGivesUp) {
    // Silent for a bounded time, so that the server can stop; of a type never compressed, as
    // compressing would hold the bytes back.
    using httplib::DataSink;
    const testing::LoopbackServer server([](httplib::Server& s) {
        s.Get("/silent", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(1500ms);
            res.set_content("late", "text/html");
        });
        s.Get("/stalls", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                100, "application/octet-stream", [](size_t at, size_t, DataSink& sink) {
                    return at == 0 ? sink.write("<p>", 3)
                                   : (std::this_thread::sleep_for(1500ms), false);
                });
        });
        s.Get("/trickle", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t, DataSink& sink) {
                                                 std::this_thread::sleep_for(20ms);
                                                 return sink.write("a", 1);  // until we leave
                                             });
        });
    });
    // A stall bound well under the total one: each names its own cause.
    DownloadLimits limits;
    limits.stallTimeout = 300ms;
    limits.totalTimeout = 1000ms;
    const QString stalled = u"下载超时：服务器长时间没有发送数据"_s;
    const std::pair<QString, QString> cases[] = {
        {u"/silent"_s, stalled},
        {u"/stalls"_s, stalled},
        {u"/trickle"_s, u"下载超时：下载超过了限定时间"_s}};
    for (const auto& [path, cause] : cases) {
        const Outcome got = fetch(server.baseUrl() + path, limits);
        EXPECT_EQ(got.number, errors::DownloadTimeout) << path.toStdString();
        EXPECT_TRUE(got.text.startsWith(cause)) << got.text.toStdString();
    }
    int calls = 0;
    const Outcome cancelled =
        fetch(server.baseUrl() + u"/trickle"_s, limits, [&calls] { return ++calls < 3; });
    EXPECT_EQ(std::tie(cancelled.number, calls), std::tuple(errors::DownloadCancelled, 3));
}

TEST(Download, DefaultBoundsLetASlowSiteFinishButNoServerHoldTheWindow) {
    const DownloadLimits bounds;
    EXPECT_EQ(std::tuple(bounds.connectTimeout, bounds.stallTimeout, bounds.totalTimeout,
                         bounds.maxBodyBytes, bounds.maxRedirects, bounds.maxHeaderBytes),
              std::tuple(15s, 30s, 120s, qint64{64} << 20, 10L, qint64{256} << 10));
}

TEST(BodyText, DecodesByCharsetThenByteOrderMarkThenUtf8AndNeverFails) {
    const QString bad(QChar(0xFFFD));
    const std::tuple<QByteArray, QByteArray, QString> cases[] = {
        {"\xD7\xD6\xC4\xBB", "text/html; charset=GBK", u"字幕"_s},  // Qt needs ICU for GBK
        {"\xA6\x72\xB9\xF5", "text/xml;charset=\"big5\"", u"字幕"_s},
        {"\xD7\xD6", "text/html; Charset = gb18030 ; q=1", u"字"_s},
        {"\xD6\x78\xD7\xD6", "text/html; charset=gb2312", u"謝字"_s},  // outside GB2312, yet used
        {"\xFF\xFE\x61\x62", "text/html; charset=utf-8", bad + bad + u"ab"_s},  // the header wins
        {"\xE5\xAD\x97", "", u"字"_s},
        {"\xE5\xAD\x97", "text/html; xcharset=gbk; charset=no-such-charset", u"字"_s},
        {"\xEF\xBB\xBF<a>", "text/html", u"<a>"_s},
        {QByteArray("\xFF\xFE<\0\x57\x5B", 6), "", u"<字"_s},
        {QByteArray("\xFE\xFF\0<\x5B\x57", 6), "", u"<字"_s},
        {"<?xml version=\"1.0\" encoding=\"gbk\"?>\xE5\xAD\x97", "",  // the declaration is not read
         u"<?xml version=\"1.0\" encoding=\"gbk\"?>字"_s},
        {"\x61\xFF\x62", "", u"a"_s + bad + u"b"_s},
        {"ab\xE4\xC9\x96", "", u"ab"_s + bad + u"\u0256"_s},  // the lead byte alone is bad
        {QByteArray(), "text/html; charset=utf-8", QString()},
        // A sequence cut off at the end becomes one replacement character.
        {"a\xE5\xAD", "", u"a"_s + bad},
        {"\xD7\xD6\xD7", "text/html; charset=GBK", u"字"_s + bad},
        {"\x57\x5B\x57", "text/html; charset=utf-16le", u"字"_s + bad},
        // Latin-1 and ASCII labels mean windows-1252, as in browsers: 0x80 is the euro sign.
        {"caf\xE9 \x80\x93", "text/plain; charset=ISO-8859-1", u"café €\u201C"_s},
        {"caf\xE9 \x80\x93", "text/plain; charset=us-ascii", u"café €\u201C"_s},
    };
    for (const auto& [body, contentType, text] : cases) {
        EXPECT_EQ(decodeBodyText(body, contentType), text) << contentType.toStdString();
        // The same text when the bytes arrive one at a time.
        BodyTextDecoder decoder(contentType, -1);
        for (const char byte : body) {
            decoder.append(QByteArrayView(&byte, 1));
        }
        EXPECT_EQ(decoder.finish(), text) << body.toHex().toStdString();
    }
}

}  // namespace
}  // namespace vantrel
