// The libcurl download layer against loopback servers: what goes on the wire, how the body becomes
// text, and how each kind of failure is reported.
#include "platform/curl_http_client.h"
#include "platform/app_error.h"
#include "support/loopback_server.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace vantrel {
namespace {

using namespace std::chrono_literals;
using testing::ClosedPort;
using testing::LoopbackServer;

QString fetch(const QString& url, const DownloadLimits& limits = {}) {
    CurlHttpClient client(limits);
    const std::unique_ptr<HttpRequest> request = client.createRequest();
    EXPECT_EQ(request->readyState(), 0);
    request->Open(QStringLiteral("GET"), url, false);
    EXPECT_EQ(request->readyState(), 1);
    request->send();
    EXPECT_EQ(request->readyState(), HttpRequest::ReadyStateComplete);
    return request->responseText();
}

AppError fetchFailure(const QString& url, const DownloadLimits& limits = {}) {
    try {
        fetch(url, limits);
    } catch (const AppError& error) {
        return error;
    }
    ADD_FAILURE() << "the download of " << url.toStdString() << " did not fail";
    return AppError(0, QString());
}

std::string bytes(const QByteArray& data) {
    return data.toStdString();
}

// gzip framing around the deflate stream that qCompress makes (it adds a length and zlib's
// two-byte header and Adler-32 trailer, which gzip replaces by its own header and CRC-32).
std::string gzip(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    crc = ~crc;
    const QByteArray zlib = qCompress(data, 9);
    std::string out("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\xFF", 10);
    out += bytes(zlib.mid(4 + 2, zlib.size() - 4 - 2 - 4));
    for (const quint32 word : {crc, static_cast<quint32>(data.size())}) {
        for (int shift = 0; shift < 32; shift += 8) {
            out += static_cast<char>((word >> shift) & 0xFF);
        }
    }
    return out;
}

TEST(CurlHttpClientWire, EncodesOnlyWhatCannotStandRawAndSendsNoFragment) {
    const LoopbackServer server([](httplib::Server& s) {
        s.Get(".*", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("ok", "text/plain");
        });
    });
    const QString base = server.baseUrl();
    // A keyword as the search URL carries it: its own %XX groups and a raw blank.
    fetch(base + QStringLiteral("/search/sub:%E9%98%BF%E5%87%A1 2?page=2#top"));
    // Raw non-ASCII and control characters go out as UTF-8 %XX; '%' and other ASCII stay as given.
    fetch(base + QStringLiteral("/search/sub:阿凡达\t"));
    fetch(base + QStringLiteral("/100%/a%zz%2f?q=%&r=\"<é>\""));
    EXPECT_EQ(server.targets(),
              (std::vector<std::string>{"/search/sub:%E9%98%BF%E5%87%A1%202?page=2",
                                        "/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE%09",
                                        "/100%/a%zz%2f?q=%&r=\"<%C3%A9>\""}));
}

TEST(CurlHttpClientWire, RefusesWhatIsNotAnHttpUrlBeforeSendingAnything) {
    const LoopbackServer server([](httplib::Server&) {});
    const QString hostPort = server.host();
    for (const QString& url :
         {QStringLiteral("SearchURL?page=2"), QString(), QStringLiteral("   "),
          QStringLiteral("ftp://") + hostPort + QStringLiteral("/x"),
          QStringLiteral("file:///etc/passwd"), hostPort + QStringLiteral("/x"),
          QStringLiteral("http://"), QStringLiteral("mailto:me@example.org")}) {
        CurlHttpClient client;
        const std::unique_ptr<HttpRequest> request = client.createRequest();
        try {
            request->Open(QStringLiteral("GET"), url, false);
            request->send();
            ADD_FAILURE() << "accepted " << url.toStdString();
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), errors::InvalidUrl) << url.toStdString();
            EXPECT_TRUE(error.description().startsWith(QStringLiteral("无效的网址")));
        }
        EXPECT_NE(request->readyState(), HttpRequest::ReadyStateComplete);
    }
    EXPECT_TRUE(server.targets().empty());
}

TEST(CurlHttpClientText, DecodesByHeaderThenByteOrderMarkThenUtf8) {
    const LoopbackServer server([](httplib::Server& s) {
        s.Get("/utf8", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<name>字幕</name>", "text/xml; charset=utf-8");
        });
        s.Get("/gbk", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<name>\xD7\xD6\xC4\xBB</name>", "text/html; charset=GBK");
        });
        s.Get("/utf16", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string("\xFF\xFE<\0\x57\x5B>\0", 8), "text/xml");
        });
        s.Get("/plain", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("\xE5\xAD\x97\xFF", "text/html");
        });
    });
    const QString base = server.baseUrl();
    EXPECT_EQ(fetch(base + QStringLiteral("/utf8")), QStringLiteral("<name>字幕</name>"));
    EXPECT_EQ(fetch(base + QStringLiteral("/gbk")), QStringLiteral("<name>字幕</name>"));
    EXPECT_EQ(fetch(base + QStringLiteral("/utf16")), QStringLiteral("<字>"));
    EXPECT_EQ(fetch(base + QStringLiteral("/plain")), QStringLiteral("字\uFFFD"));
}

TEST(CurlHttpClientText, AnyStatusIsACompleteResponseWithItsBodyAsText) {
    const LoopbackServer server([](httplib::Server& s) {
        s.Get("/missing", [](const httplib::Request&, httplib::Response& res) {
            res.status = 404;
            res.set_content("<h1>页面不存在</h1>", "text/html; charset=utf-8");
        });
        s.Get("/broken", [](const httplib::Request&, httplib::Response& res) {
            res.status = 500;
            res.set_content("<subrief>x</subrief>", "text/html");
        });
    });
    EXPECT_EQ(fetch(server.baseUrl() + QStringLiteral("/missing")),
              QStringLiteral("<h1>页面不存在</h1>"));
    EXPECT_EQ(fetch(server.baseUrl() + QStringLiteral("/broken")),
              QStringLiteral("<subrief>x</subrief>"));
}

TEST(CurlHttpClientTransport, AsksForCompressionAndUnpacksGzip) {
    const QByteArray page = QStringLiteral("<subrief>字幕</subrief>").repeated(200).toUtf8();
    const LoopbackServer server([&page](httplib::Server& s) {
        s.Get("/page", [&page](const httplib::Request& req, httplib::Response& res) {
            if (req.get_header_value("Accept-Encoding").find("gzip") == std::string::npos) {
                res.status = 406;
                return;
            }
            res.set_header("Content-Encoding", "gzip");
            res.set_content(gzip(page), "text/xml; charset=utf-8");
        });
    });
    EXPECT_EQ(fetch(server.baseUrl() + QStringLiteral("/page")), QString::fromUtf8(page));
}

TEST(CurlHttpClientTransport, FollowsRedirectsUpToTheLimitAndDecodesTheLastPage) {
    const LoopbackServer server([](httplib::Server& s) {
        s.Get(R"(/hop/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            const int left = std::stoi(req.matches[1]);
            if (left > 0) {
                res.set_redirect("/hop/" + std::to_string(left - 1));
                res.set_content("moved", "text/html; charset=utf-8");
            } else {
                res.set_content("\xD7\xD6", "text/html; charset=gbk");
            }
        });
        s.Get("/to-file", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("file:///etc/passwd");
        });
    });
    const QString base = server.baseUrl();
    EXPECT_EQ(fetch(base + QStringLiteral("/hop/3")), QStringLiteral("字"));
    EXPECT_EQ(server.targets(), (std::vector<std::string>{"/hop/3", "/hop/2", "/hop/1", "/hop/0"}));

    EXPECT_EQ(fetch(base + QStringLiteral("/hop/10")), QStringLiteral("字"));
    const AppError tooMany = fetchFailure(base + QStringLiteral("/hop/11"));
    EXPECT_EQ(tooMany.number(), errors::DownloadFailed);
    EXPECT_TRUE(tooMany.description().contains(QStringLiteral("重定向次数过多")));
    EXPECT_EQ(server.targets().size(), 4u + 11u + 11u);

    // Never off the web: a redirect to a local file is refused.
    EXPECT_EQ(fetchFailure(base + QStringLiteral("/to-file")).number(), errors::InvalidUrl);
}

TEST(CurlHttpClientTransport, GoesThroughTheProxyThatTheEnvironmentNames) {
    const LoopbackServer proxy([](httplib::Server& s) {
        s.Get(".*", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("via proxy", "text/plain");
        });
    });
    // Only for this test; the host below is never looked up, the proxy gets the whole URL.
    struct ProxyVariable {
        explicit ProxyVariable(const QString& url) : before(qgetenv("http_proxy")) {
            qputenv("http_proxy", url.toUtf8());
        }
        ~ProxyVariable() {
            if (before.isEmpty()) {
                qunsetenv("http_proxy");
            } else {
                qputenv("http_proxy", before);
            }
        }
        const QByteArray before;
    } const variable(proxy.baseUrl());
    EXPECT_EQ(fetch(QStringLiteral("http://subs.invalid/search/sub:a b")),
              QStringLiteral("via proxy"));
    EXPECT_EQ(proxy.targets(), std::vector<std::string>{"http://subs.invalid/search/sub:a%20b"});
}

TEST(CurlHttpClientTransport, ReportsARefusedConnection) {
    const ClosedPort port;
    const AppError error = fetchFailure(port.baseUrl() + QStringLiteral("/search/sub:x"));
    EXPECT_EQ(error.number(), errors::CannotConnect);
    EXPECT_TRUE(error.description().startsWith(QStringLiteral("无法连接到服务器")))
        << error.description().toStdString();
}

TEST(CurlHttpClientTransport, ReportsAConnectionDroppedMidBody) {
    const LoopbackServer server([](httplib::Server& s) {
        s.Get("/cut", [](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(1000, "text/html",
                                     [](size_t offset, size_t, httplib::DataSink& sink) {
                                         if (offset > 0) {
                                             return false;  // closes the connection
                                         }
                                         sink.write(std::string(100, 'a').data(), 100);
                                         return true;
                                     });
        });
    });
    const AppError error = fetchFailure(server.baseUrl() + QStringLiteral("/cut"));
    EXPECT_EQ(error.number(), errors::DownloadFailed);
    EXPECT_TRUE(error.description().startsWith(QStringLiteral("下载失败")));
}

TEST(CurlHttpClientTransport, StopsAServerThatFallsSilentOrTrickles) {
    // The handlers stay silent for a bounded time, so that the server can be stopped. Their type
    // is one the server does not compress: compressing would hold the bytes back.
    const LoopbackServer server([](httplib::Server& s) {
        s.Get("/silent", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(1500ms);
            res.set_content("late", "text/html");
        });
        s.Get("/stalls", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t offset, httplib::DataSink& sink) {
                                                 if (offset == 0) {
                                                     return sink.write("<p>", 3);
                                                 }
                                                 std::this_thread::sleep_for(1500ms);
                                                 sink.done();
                                                 return true;
                                             });
        });
        s.Get("/trickle", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider(
                "application/octet-stream", [](size_t offset, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(20ms);
                    if (offset > 500) {
                        sink.done();
                        return true;
                    }
                    return sink.write("a", 1);  // fails once the client has gone
                });
        });
    });
    DownloadLimits limits;
    limits.stallTimeout = 200ms;
    limits.totalTimeout = 2000ms;
    for (const char* path : {"/silent", "/stalls"}) {
        QElapsedTimer clock;
        clock.start();
        const AppError error = fetchFailure(server.baseUrl() + QLatin1String(path), limits);
        EXPECT_EQ(error.number(), errors::DownloadTimeout) << path;
        EXPECT_TRUE(error.description().contains(QStringLiteral("长时间没有发送数据"))) << path;
        EXPECT_LT(clock.elapsed(), 1400) << path;
    }

    limits.totalTimeout = 300ms;
    const AppError error = fetchFailure(server.baseUrl() + QStringLiteral("/trickle"), limits);
    EXPECT_EQ(error.number(), errors::DownloadTimeout);
    EXPECT_TRUE(error.description().contains(QStringLiteral("下载超过了限定时间")))
        << error.description().toStdString();
}

TEST(CurlHttpClientTransport, RefusesABodyOverTheLimitHoweverItComes) {
    constexpr qint64 kLimit = 64 * 1024;
    const LoopbackServer server([](httplib::Server& s) {
        s.Get("/exact", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(kLimit, 'a'), "text/plain");
        });
        s.Get("/long", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(kLimit + 1, 'a'), "text/plain");
        });
        s.Get("/endless", [](const httplib::Request&, httplib::Response& res) {
            res.set_chunked_content_provider("application/octet-stream",
                                             [](size_t offset, httplib::DataSink& sink) {
                                                 const std::string chunk(16 * 1024, 'a');
                                                 if (offset > 64 * 1024 * 1024) {
                                                     sink.done();
                                                     return true;
                                                 }
                                                 return sink.write(chunk.data(), chunk.size());
                                             });
        });
        s.Get("/bomb", [](const httplib::Request&, httplib::Response& res) {
            res.set_header("Content-Encoding", "gzip");
            res.set_content(gzip(QByteArray(4 * 1024 * 1024, '\0')), "text/plain");
        });
    });
    DownloadLimits limits;
    limits.maxBodyBytes = kLimit;
    EXPECT_EQ(fetch(server.baseUrl() + QStringLiteral("/exact"), limits).size(), kLimit);
    for (const char* path : {"/long", "/endless", "/bomb"}) {
        const AppError error = fetchFailure(server.baseUrl() + QLatin1String(path), limits);
        EXPECT_EQ(error.number(), errors::DownloadFailed) << path;
        EXPECT_TRUE(error.description().contains(QStringLiteral("页面过大"))) << path;
    }
}

}  // namespace
}  // namespace vantrel
