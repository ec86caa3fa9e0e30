#include "app/form1.h"
#include "platform/curl_http_client.h"
#include "platform/message_box.h"
#include "platform/shell.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));

    vantrel::CurlHttpClient http;
    vantrel::DesktopShell shell;
    vantrel::QtMessageBox messages;
    vantrel::Form1 window(vantrel::Platform{http, shell, messages},
                          vantrel::SiteConfig::compiledIn());
    window.show();
    return QApplication::exec();
}
