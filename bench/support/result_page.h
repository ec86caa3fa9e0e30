#pragma once

// A result page of the size the benchmarks use, and a window that talks to nobody.
#include "desktop/hidden_text_field.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "window/form1.h"

#include <QCoreApplication>
#include <QString>

#include <utility>

namespace vantrel::bench {

// A result page as the site sends it: about 256 UTF-16 characters a record.
inline QString makePage(int records) {
    // Neighbouring records differ as on a real page: one film, many formats, languages, versions
    // and dates.
    const QString formats[] = {QStringLiteral("SRT"), QStringLiteral("ASS"), QStringLiteral("SSA"),
                               QStringLiteral("SUB")};
    const QString languages[] = {QStringLiteral("简体中文"), QStringLiteral("繁体中文"),
                                 QStringLiteral("英文"), QStringLiteral("双语")};
    const QString versions[] = {QStringLiteral("BluRay.1080p.x264-GROUP"),
                                QStringLiteral("WEB-DL.2160p.HDR"), QStringLiteral("HDTV.720p")};
    QString page = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<subriefs>\n");
    for (int i = 0; i < records; ++i) {
        page += QStringLiteral(
                    "<subrief><fileid>%1</fileid><filename>阿凡达 Avatar.2009.BluRay.1080p "
                    "part %2</filename><format>%3</format><language>%4</language>"
                    "<splitby>%5</splitby><splito>%6</splito>"
                    "<chname>阿凡达：水之道</chname><uptime>20%7-%8-%9</uptime></subrief>\n")
                    .arg(QString::number(100000 + i, 36))
                    .arg(i % 3 + 1)
                    .arg(formats[i % 4], languages[(i / 2) % 4], versions[i % 3])
                    .arg(i % 2 + 1)
                    .arg(10 + i % 17)
                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
    }
    page += QStringLiteral("</subriefs>\n");
    return page;
}

class NoShell final : public Shell {
public:
    void open(const QString&) override {}
};

class NoMessages final : public MessageBox {
public:
    void show(QWidget*, const QString&, const QString&) override {}
    bool ask(QWidget*, const QString&, const QString&) override { return false; }
};

// The window, shown offscreen, with nobody to talk to. show() puts a marked page into the page
// field and fills and paints the grid from it, as a command does after a download; download()
// fetches the page first, as a command does.
class QuietWindow {
public:
    QuietWindow() { form_.show(); }

    void show(QString markedPage) {
        form_.Text2->setText(std::move(markedPage));
        showPageField();
    }

    void download(const QString& url) {
        form_.Text1->setText(url);
        form_.FetchResults();
        showPageField();
    }

    Form1& form() { return form_; }
    const Form1& form() const { return form_; }

private:
    void showPageField() {
        form_.ShowResults();
        QCoreApplication::processEvents();
        form_.Grid1->viewport()->repaint();
    }

    CurlHttpClient http_;
    NoShell shell_;
    NoMessages messages_;
    Form1 form_{Platform{http_, shell_, messages_}, SiteConfig::compiledIn()};
};

}  // namespace vantrel::bench
