#include "app/form1.h"
#include "grid/grid.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/loopback_server.h"
#include "support/recording_platform.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/qt_printing.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>

namespace vantrel {
namespace {

// A site whose result pages hold one record naming the page asked for.
void siteRoutes(httplib::Server& server, std::atomic<bool>& failing) {
    server.Get(R"(/search/sub:.*)", [&failing](const httplib::Request& request,
                                               httplib::Response& response) {
        if (failing) {
            response.set_redirect(request.target);  // round and round: the download gives up
            return;
        }
        const std::string page = request.has_param("page") ? request.get_param_value("page") : "1";
        response.set_content("<list><subrief><fileid>p" + page + "</fileid></subrief></list>",
                             "text/xml; charset=utf-8");
    });
}

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() { form.show(); }

    QString firstUrl(const QString& encodedKeyword) const {
        return QStringLiteral("http://") + server.host() + QStringLiteral("/search/sub:") +
               encodedKeyword;
    }
    QString shownPage() { return form.Grid1->Cell(1, 1).Text(); }
    QString caption() const { return form.Frame3->title(); }
    std::string lastTarget() const {
        const auto targets = server.targets();
        return targets.empty() ? std::string() : targets.back();
    }
    void search(const QString& keyword) {
        form.Text4->setText(keyword);
        QTest::mouseClick(form.goCmd, Qt::LeftButton);
    }

    std::atomic<bool> failing{false};
    testing::LoopbackServer server{[this](httplib::Server& s) { siteRoutes(s, failing); }};
    CurlHttpClient http{DownloadLimits{std::chrono::milliseconds(2000),
                                       std::chrono::milliseconds(2000),
                                       std::chrono::milliseconds(5000), 1 << 20, 10}};
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form{Platform{http, shell, messages},
               SiteConfig{server.host(), QString(), QString(), QString()}};
};

TEST_F(CommandsTest, SearchThenPageForwardAndBackAsksForEachPageOnce) {
    search(QStringLiteral("阿凡达 2"));
    EXPECT_EQ(lastTarget(), "/search/sub:%E9%98%BF%E5%87%A1%E8%BE%BE%202");
    const QString first = firstUrl(QStringLiteral("%E9%98%BF%E5%87%A1%E8%BE%BE 2"));
    EXPECT_EQ(form.Text1->text(), first);
    EXPECT_EQ(form.PageNo, 1);
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(shownPage(), QStringLiteral("p1"));

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.BaseUrl, first);
    EXPECT_EQ(form.Text1->text(), first + QStringLiteral("?page=2"));
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 2 页"));
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_EQ(shownPage(), QStringLiteral("p2"));

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.Text1->text(), first + QStringLiteral("?page=3"));
    EXPECT_EQ(form.PageNo, 3);

    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.Text1->text(), first + QStringLiteral("?page=2"));
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 2 页"));

    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.Text1->text(), first);  // page 1 is the first-page URL itself
    EXPECT_EQ(form.PageNo, 1);
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_EQ(shownPage(), QStringLiteral("p1"));
    EXPECT_EQ(server.targets().size(), 5u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CommandsTest, EnterInTheKeywordBoxSearchesAsTheButtonDoes) {
    form.Text4->setFocus();
    QTest::keyClicks(form.Text4, QStringLiteral(" "));
    QTest::keyClick(form.Text4, Qt::Key_Return);
    EXPECT_EQ(lastTarget(), "/search/sub:%20");
    EXPECT_EQ(form.Text1->text(), firstUrl(QStringLiteral(" ")));
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(form.Text4->text(), QStringLiteral(" "));  // the key went on to the box
}

TEST_F(CommandsTest, AnEmptyKeywordOnlyResetsThePageNumber) {
    search(QStringLiteral("abc"));
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    const QString url = form.Text1->text();
    const size_t requests = server.targets().size();

    search(QString());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("信息"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("字幕名称不能为空！^__^"));
    EXPECT_EQ(form.PageNo, 1);
    EXPECT_EQ(form.Text1->text(), url);
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 3 页"));
    EXPECT_TRUE(form.Command3->isEnabled());
    EXPECT_EQ(server.targets().size(), requests);

    // The previous-page button is still enabled on page 1: it goes to page 0, the saved URL.
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.PageNo, 0);
    EXPECT_EQ(form.Text1->text(), form.BaseUrl);
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 0 页"));
}

TEST_F(CommandsTest, ANewSearchKeepsTheOldBaseUrlUntilItLeavesPageOne) {
    search(QStringLiteral("old"));
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    search(QStringLiteral("new"));
    EXPECT_EQ(form.BaseUrl, firstUrl(QStringLiteral("old")));
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_FALSE(form.Command3->isEnabled());
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.BaseUrl, firstUrl(QStringLiteral("new")));
    EXPECT_EQ(lastTarget(), "/search/sub:new?page=2");
}

TEST_F(CommandsTest, PageCommandsBeforeAnySearchReportTheUnusableUrl) {
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.BaseUrl, QStringLiteral("SearchURL"));
    EXPECT_EQ(form.Text1->text(), QStringLiteral("SearchURL?page=2"));
    EXPECT_EQ(form.PageNo, 2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("运行时错误 '")));
    EXPECT_EQ(caption(), QStringLiteral("搜索结果"));  // the steps after the download did not run
    EXPECT_TRUE(server.targets().empty());

    form.PageNo = 1;
    form.BaseUrl.clear();
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.PageNo, 0);
    EXPECT_EQ(form.Text1->text(), QString());
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(CommandsTest, PageNumberOverflowFailsBeforeAnythingChanges) {
    search(QStringLiteral("abc"));
    const size_t requests = server.targets().size();
    form.PageNo = 32767;
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    form.PageNo = -32768;
    form.Command3->setEnabled(true);  // as after a search that followed paging
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("运行时错误 '6':\n\n溢出"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("运行时错误 '6':\n\n溢出"));
    EXPECT_EQ(form.PageNo, -32768);
    EXPECT_EQ(form.Text1->text(), firstUrl(QStringLiteral("abc")));
    EXPECT_EQ(server.targets().size(), requests);
}

TEST_F(CommandsTest, AFailedDownloadStopsTheCommandAndTheWindowCarriesOn) {
    search(QStringLiteral("abc"));
    failing = true;
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(shownPage(), QStringLiteral("p1"));
    EXPECT_TRUE(form.isVisible());

    failing = false;
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.PageNo, 3);
    EXPECT_EQ(caption(), QStringLiteral("搜索结果  当前第 3 页"));
    EXPECT_EQ(shownPage(), QStringLiteral("p3"));
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace vantrel
