// A user's session against the real sample site program: search, page forward and back, open a
// result.
#include "app/form1.h"
#include "grid/grid.h"
#include "platform/curl_http_client.h"
#include "platform/hidden_text_field.h"
#include "support/qt_printing.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Starts the site on a free loopback port and stops it again.
class SiteProcess {
public:
    SiteProcess() {
        process_.setProgram(QStringLiteral(VANTREL_SITE_PROGRAM));
        process_.setArguments({QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
                               QStringLiteral("--port"), QStringLiteral("0")});
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
        if (!process_.waitForStarted(10000)) {
            return;
        }
        const QRegularExpression listening(QStringLiteral("listening on (\\S+)"));
        QByteArray output;
        while (host_.isEmpty() && process_.waitForReadyRead(10000)) {
            output += process_.readAllStandardOutput();
            const QRegularExpressionMatch match = listening.match(QString::fromUtf8(output));
            if (match.hasMatch()) {
                host_ = match.captured(1);
            }
        }
    }
    ~SiteProcess() {
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    const QString& host() const { return host_; }
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QString host_;
};

QString pageText(HttpClient& http, const QString& url) {
    const std::unique_ptr<HttpRequest> request = http.createRequest();
    request->Open(QStringLiteral("GET"), url, false);
    request->send();
    return request->responseText();
}

TEST(SearchSession, FindsPagesAndOpensAResultOnTheSampleSite) {
    SiteProcess site;
    ASSERT_FALSE(site.host().isEmpty()) << "the site did not start";

    CurlHttpClient http;
    testing::RecordingShell shell;
    testing::RecordingMessageBox messages;
    Form1 form(Platform{http, shell, messages},
               SiteConfig{site.host(), QStringLiteral("样例字幕站"), QString(), QString()});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const auto firstIds = [&form] {
        QStringList ids;
        for (int row = 1; row < form.Grid1->Rows(); ++row) {
            ids << form.Grid1->Cell(row, 1).Text();
        }
        return ids;
    };
    const auto everyRowIsAnAvatar = [&form] {
        for (int row = 1; row < form.Grid1->Rows(); ++row) {
            const QString names = form.Grid1->Cell(row, 2).Text() + form.Grid1->Cell(row, 7).Text();
            if (!names.contains(QStringLiteral("阿凡达")) &&
                !names.contains(QStringLiteral("avatar"), Qt::CaseInsensitive)) {
                return false;
            }
        }
        return true;
    };

    form.Text4->setFocus();
    // Chinese arrives through the input method, as committed text.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("阿凡达"));
    QApplication::sendEvent(form.Text4, &typed);
    QTest::keyClick(form.Text4, Qt::Key_Return);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    EXPECT_EQ(form.Grid1->Rows(), 21);
    EXPECT_TRUE(everyRowIsAnAvatar());
    EXPECT_EQ(form.Grid1->Cell(1, 0).Text(), QStringLiteral("下载>>"));
    const QStringList pageOne = firstIds();

    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果  当前第 3 页"));
    EXPECT_TRUE(everyRowIsAnAvatar());
    EXPECT_NE(firstIds(), pageOne);

    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(form.Frame3->title(), QStringLiteral("搜索结果  当前第 1 页"));
    EXPECT_FALSE(form.Command3->isEnabled());
    EXPECT_EQ(firstIds(), pageOne);

    // Double-click the fifth result: its file page goes to the browser, and the site has it.
    const QModelIndex fifth = form.Grid1->model()->index(4, 2);
    const QPoint where = form.Grid1->visualRect(fifth).center();
    QTest::mouseClick(form.Grid1->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(form.Grid1->viewport(), Qt::LeftButton, {}, where);
    ASSERT_EQ(shell.opened.size(), 1);
    const QString id = form.Grid1->Cell(5, 1).Text();
    const QString prefix = id.left(id.size() == 6 ? 3 : 2);
    const QString url = QStringLiteral("http://%1/xml/file/%2/%3.xml").arg(site.host(), prefix, id);
    EXPECT_EQ(shell.opened.front(), url);
    EXPECT_EQ(form.Text3->text(), url + QStringLiteral("|5"));
    EXPECT_TRUE(pageText(http, url).contains(id));
    EXPECT_TRUE(messages.shown.empty());

    // The site stops cleanly when asked to.
    site.process().terminate();
    ASSERT_TRUE(site.process().waitForFinished(10000));
    EXPECT_EQ(site.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(site.process().exitCode(), 0);
}

}  // namespace
}  // namespace vantrel
