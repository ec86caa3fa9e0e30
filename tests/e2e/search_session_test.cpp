// A user's session against the real sample site program: search, page forward and back, open a
// result.
#include "app/bundled_site.h"
#include "desktop/hidden_text_field.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "results/result_columns.h"
#include "support/error_number.h"
#include "support/loopback_server.h"
#include "support/qt_printing.h"
#include "support/recording_platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

TEST(SearchSession, StartsTheSampleSiteFindsPagesOpensAResultAndStopsTheSite) {
    // The window starts the site program on a free loopback port and stops it as it closes.
    const QString host = QUrl(testing::ClosedPort().baseUrl()).authority();
    BundledSite site(host, QStringLiteral(VANTREL_SITE_PROGRAM));

    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form(Platform{http, shell, messages, &site}, SiteConfig{host, u"样例字幕站"_s, {}, {}});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto column = [&form](int column) {
        QStringList texts;
        for (int row = 1; row < form.Grid1->Rows(); ++row) {
            texts << form.Grid1->Cell(row, column).Text();
        }
        return texts;
    };

    form.Text4->setFocus();
    // Chinese arrives through the input method, as committed text.
    QInputMethodEvent typed;
    typed.setCommitString(u"阿凡达"_s);
    QApplication::sendEvent(form.Text4, &typed);
    QTest::keyClick(form.Text4, Qt::Key_Return);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().toStdString();
    EXPECT_EQ(form.Grid1->Rows(), 21);
    EXPECT_EQ(column(FilmName).filter(u"阿凡达"_s).size(), 20);
    EXPECT_EQ(column(DownloadMark), QStringList(20, u"下载>>"_s));
    const QStringList pageOne = column(FileId);

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.Frame3->title(), u"搜索结果  当前第 3 页"_s);
    EXPECT_EQ(column(FilmName).filter(u"阿凡达"_s).size(), 20);
    EXPECT_NE(column(FileId), pageOne);

    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.Frame3->title(), u"搜索结果  当前第 1 页"_s);
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(column(FileId), pageOne);

    // Double-click the fifth result: its file page goes to the browser, and the site has it.
    const QPoint where = form.Grid1->visualRect(form.Grid1->model()->index(4, FileName)).center();
    QTest::mouseClick(form.Grid1->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(form.Grid1->viewport(), Qt::LeftButton, {}, where);
    const QString id = pageOne.value(4);
    const QString url =
        u"http://%1/xml/file/%2/%3.xml"_s.arg(host, id.left(id.size() == 6 ? 3 : 2), id);
    EXPECT_EQ(shell.opened, QStringList{url});
    EXPECT_EQ(form.Text3->text(), url + u"|5"_s);
    const auto filePage = [&http, &url] {
        const std::unique_ptr<HttpRequest> request = http.createRequest();
        request->Open(u"GET"_s, url, false);
        request->send();
        return request->responseText();
    };
    EXPECT_TRUE(filePage().contains(u"<fileid>"_s + id + u"</fileid>"_s));
    EXPECT_TRUE(messages.shown.empty());

    // A second window finds the site running: it starts none, and stops none as it closes.
    BundledSite secondSite(host, QStringLiteral(VANTREL_SITE_PROGRAM));
    Form1(Platform{http, shell, messages, &secondSite}, form.site()).close();
    EXPECT_EQ(errorNumberOf(filePage), 0);
    form.close();
    EXPECT_EQ(errorNumberOf(filePage), -2146697211);  // cannot connect
}

TEST(SearchSession, OnlyABuildForALoopbackHostStartsTheSampleSite) {
    for (const auto& [host, loopback] : {std::pair(u"127.0.0.1:8086"_s, true),
                                         {u"127.1.2.3"_s, true},
                                         {u"localhost:80"_s, true},
                                         {u"[::1]:8086"_s, true},
                                         {u"127.0.0.1.example.org"_s, false},
                                         {u"subs.example.org:8086"_s, false},
                                         {u"192.168.1.2:8086"_s, false}}) {
        EXPECT_EQ(isLoopbackHost(host), loopback) << host.toStdString();
    }
}

}  // namespace
}  // namespace vantrel
