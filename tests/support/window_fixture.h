#pragma once

#include "desktop/hidden_text_field.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "results/result_columns.h"
#include "support/loopback_server.h"
#include "support/recording_platform.h"
#include "window/form1.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/qt_printing.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace vantrel::testing {

using namespace Qt::StringLiterals;

inline const QString kLongName = u"A.Very.Long.Film.Name.2024.1080p.BluRay.x264-GROUP.chs.srt"_s;

// The real window, shown and active, against a loopback site. Every search page lists abcdef (with
// a long name), a record named after the page ("p1", "p2", ..., in 英文) and one without an id; the
// keyword "slow" stalls until `release`, a keyword holding 无 finds nothing, and while `failing`
// search pages redirect until the download gives up. "/page" serves `servedPage`, the rest is a
// 404.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    ~WindowTest() override { release = true; }

    void search(const QString& keyword) {
        form.Text4->setText(keyword);
        click(form.goCmd);
    }
    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QString caption() const { return form.Frame3->title(); }
    QString cell(int row, int col) { return grid.Cell(row, col).Text(); }
    QStringList row(int r) {
        QStringList texts;
        for (int col = 0; col < ResultColumnCount; ++col) {
            texts << cell(r, col);
        }
        return texts;
    }
    void setPage(const QString& text) {
        const std::lock_guard<std::mutex> lock(pageMutex);
        servedPage = text.toStdString();
    }

    std::atomic<bool> failing{false};
    std::atomic<bool> release{false};
    std::mutex pageMutex;
    std::string servedPage;
    LoopbackServer server{[this](httplib::Server& s) {
        s.Get(".*",
              [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
    }};
    CurlHttpClient http;
    RecordingShell shell;
    RecordingMessageBox messages;
    QTemporaryDir downloads;  // the desktop's download folder, as far as the window knows
    Form1 form{
        Platform{http, shell, messages, nullptr, downloads.path()},
        SiteConfig{server.host(), u"测试字幕站"_s, u"http://promo.test/"_s, u"me@subs.test"_s}};
    Grid& grid = *form.Grid1;

private:
    void answer(const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/page") {
            const std::lock_guard<std::mutex> lock(pageMutex);
            res.set_content(servedPage, "text/html; charset=utf-8");
        } else if (req.path.rfind("/search/sub:", 0) != 0) {
            res.status = 404;
            res.set_content("<p>没有这一页</p>", "text/html; charset=utf-8");
        } else if (failing) {
            res.set_redirect(req.target);
        } else if (req.target.find("%E6%97%A0") != std::string::npos) {  // 无: nothing found
            res.set_content("<list></list>", "text/xml; charset=utf-8");
        } else {
            for (int i = 0; i < 1000 && !release && req.target == "/search/sub:slow"; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            const std::string n = req.has_param("page") ? req.get_param_value("page") : "1";
            res.set_content(
                "<list><subrief><fileid>abcdef</fileid><filename>" + kLongName.toStdString() +
                    "</filename><format>SRT</format><splitby>v\t1</splitby></subrief>"
                    "<subrief><fileid>p" +
                    n + "</fileid><filename>s</filename><language>英文</language></subrief>" +
                    "<subrief><filename>no id</filename></subrief></list>",
                "text/xml; charset=utf-8");
        }
    }
};

}  // namespace vantrel::testing
