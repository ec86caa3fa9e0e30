// FetchResults against a loopback site: what lands in the page field, what reaches the server,
// and that a failed download changes nothing.
#include "app/form1.h"
#include "platform/app_error.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/loopback_server.h"
#include "support/recording_platform.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

using testing::ClosedPort;
using testing::LoopbackServer;

// Pages by path, filled by the test before the download and served as UTF-8.
class Pages {
public:
    void put(const std::string& path, const QString& page) {
        const std::lock_guard<std::mutex> lock(mutex_);
        pages_[path] = page.toStdString();
    }
    std::optional<std::string> get(const std::string& path) const {
        const std::lock_guard<std::mutex> lock(mutex_);
        const auto found = pages_.find(path);
        return found == pages_.end() ? std::nullopt : std::optional(found->second);
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::string> pages_;
};

DownloadLimits smallLimits() {
    DownloadLimits limits;
    limits.maxBodyBytes = 4096;
    return limits;
}

class FetchResultsTest : public ::testing::Test {
protected:
    Pages pages;
    LoopbackServer server{[this](httplib::Server& s) {
        s.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            if (req.path == "/cut") {
                res.set_content_provider(1000, "text/html",
                                         [](size_t offset, size_t, httplib::DataSink& sink) {
                                             return offset == 0 && sink.write("<subrief>", 9);
                                         });
                return;
            }
            if (const std::optional<std::string> page = pages.get(req.path)) {
                res.set_content(*page, "text/html; charset=utf-8");
            } else {
                res.status = 404;
                res.set_content("<p>没有这一页</p>", "text/html; charset=utf-8");
            }
        });
    }};
    CurlHttpClient http{smallLimits()};
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{server.host(), QStringLiteral("测试字幕站"),
                          QStringLiteral("http://promo.test/"), QStringLiteral("me@subs.test")}};

    QString fetchPage(const QString& page) {
        pages.put("/page", page);
        form.Text1->setText(server.baseUrl() + QStringLiteral("/page"));
        form.FetchResults();
        return form.Text2->text();
    }
};

TEST_F(FetchResultsTest, PutsAMarkerBehindEveryClosingRecordTagAndNowhereElse) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("<html>没有结果</html>"), QStringLiteral("<html>没有结果</html>")},
        {QStringLiteral("<subrief>甲</subrief>\n<subrief>乙</subrief></subrief>"),
         QStringLiteral("<subrief>甲</subrief>PowerByQXT\n<subrief>乙</subrief>PowerByQXT</"
                        "subrief>PowerByQXT")},
        {QStringLiteral("<SUBRIEF>x</SUBRIEF></Subrief></subrief >"),
         QStringLiteral("<SUBRIEF>x</SUBRIEF></Subrief></subrief >")},
        {QStringLiteral("PowerByQXT</subrief>PowerByQXT"),
         QStringLiteral("PowerByQXT</subrief>PowerByQXTPowerByQXT")},
        {QStringLiteral("</sub</subrief>rief>"), QStringLiteral("</sub</subrief>PowerByQXTrief>")},
    };
    for (const auto& [page, expected] : cases) {
        EXPECT_EQ(fetchPage(page), expected) << page.toStdString();
    }
}

TEST_F(FetchResultsTest, ReplacesTheWholePageEvenWithAShorterOrEmptyOne) {
    fetchPage(QStringLiteral("<subrief>一条很长的记录</subrief>").repeated(20));
    EXPECT_EQ(fetchPage(QStringLiteral("短")), QStringLiteral("短"));
    EXPECT_EQ(fetchPage(QString()), QString());
}

TEST_F(FetchResultsTest, StoresAnErrorPageLikeAnyOther) {
    form.Text1->setText(server.baseUrl() + QStringLiteral("/no/such/page"));
    form.FetchResults();
    EXPECT_EQ(form.Text2->text(), QStringLiteral("<p>没有这一页</p>"));
}

TEST_F(FetchResultsTest, ASearchUrlReachesTheServerWithItsBlanksEncoded) {
    form.Text4->setText(QStringLiteral(" 阿凡达 2 "));
    form.MakeSearchUrl();
    form.FetchResults();
    form.Text1->setText(form.Text1->text() + QStringLiteral("?page=2"));
    form.FetchResults();
    const std::string keyword = "%20%E9%98%BF%E5%87%A1%E8%BE%BE%202%20";
    EXPECT_EQ(server.targets(), (std::vector<std::string>{"/search/sub:" + keyword,
                                                          "/search/sub:" + keyword + "?page=2"}));
}

TEST_F(FetchResultsTest, AFailedDownloadRaisesAndLeavesThePageAsItWas) {
    const ClosedPort closed;
    const QString base = server.baseUrl();
    pages.put("/big", QString(5000, QLatin1Char('a')));
    const std::pair<QString, int> failures[] = {
        {QStringLiteral("SearchURL?page=2"), errors::InvalidUrl},
        {QString(), errors::InvalidUrl},
        {QStringLiteral("ftp://") + server.host() + QStringLiteral("/page"), errors::InvalidUrl},
        {closed.baseUrl() + QStringLiteral("/search/sub:x"), errors::CannotConnect},
        {base + QStringLiteral("/cut"), errors::DownloadFailed},
        {base + QStringLiteral("/big"), errors::DownloadFailed},
    };
    const QString before = fetchPage(QStringLiteral("<subrief>旧页</subrief>"));
    for (const auto& [url, number] : failures) {
        form.Text1->setText(url);
        try {
            form.FetchResults();
            ADD_FAILURE() << "no error for " << url.toStdString();
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), number) << url.toStdString();
        }
        EXPECT_EQ(form.Text2->text(), before) << url.toStdString();
        EXPECT_EQ(form.Text1->text(), url);
    }
}

TEST_F(FetchResultsTest, AFailedDownloadInAnEventShowsTheErrorAndTheWindowGoesOn) {
    form.show();
    const ClosedPort closed;
    form.Text1->setText(closed.baseUrl() + QStringLiteral("/search/sub:x"));
    form.runEvent([this] { form.FetchResults(); });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("运行时错误 '-2146697211':\n\n无法连接到服务器")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(form.isVisible());

    pages.put("/page", QStringLiteral("<subrief>新</subrief>"));
    form.Text1->setText(server.baseUrl() + QStringLiteral("/page"));
    form.runEvent([this] { form.FetchResults(); });
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(form.Text2->text(), QStringLiteral("<subrief>新</subrief>PowerByQXT"));
}

}  // namespace
}  // namespace vantrel
