// A user's session against the real sample site program: search, page forward and back, open a
// result.
#include "app/form1.h"
#include "desktop/hidden_text_field.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "results/result_columns.h"
#include "support/qt_printing.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <unistd.h>
#include <csignal>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

TEST(SearchSession, FindsPagesAndOpensAResultOnTheSampleSite) {
    // The site on a free loopback port. QProcess kills it on every way out of this test; should
    // the test program itself be killed (a crash, CTest's time-out), the site gets SIGTERM.
    QProcess site;
    site.setChildProcessModifier([parent = getpid()] {
        // In the child, before exec; a parent gone before the call would never send the signal.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) {
            _exit(127);
        }
    });
    site.start(QStringLiteral(VANTREL_SITE_PROGRAM),
               {u"--host"_s, u"127.0.0.1"_s, u"--port"_s, u"0"_s});
    while (!site.canReadLine() && site.waitForReadyRead(10000)) {
    }
    const QString listening = QString::fromUtf8(site.readLine()).trimmed();
    ASSERT_TRUE(listening.startsWith(u"listening on ")) << "the site did not start";
    const QString host = listening.mid(13);

    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form(Platform{http, shell, messages}, SiteConfig{host, u"样例字幕站"_s, {}, {}});
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
    const std::unique_ptr<HttpRequest> filePage = http.createRequest();
    filePage->Open(u"GET"_s, url, false);
    filePage->send();
    EXPECT_TRUE(filePage->responseText().contains(u"<fileid>"_s + id + u"</fileid>"_s));
    EXPECT_TRUE(messages.shown.empty());

    // The site stops cleanly when asked to, and refuses a wrong command line.
    site.terminate();
    ASSERT_TRUE(site.waitForFinished(10000));
    EXPECT_EQ(site.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(site.exitCode(), 0);
    EXPECT_EQ(QProcess::execute(QStringLiteral(VANTREL_SITE_PROGRAM), {u"--verbose"_s}), 2);
}

}  // namespace
}  // namespace vantrel
