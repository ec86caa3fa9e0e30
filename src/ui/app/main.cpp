#include "app/command_line.h"
#include "app/form1.h"
#include "base/version.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "http/curl_http_client.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Read before QApplication exists: --help and --version must not need a display.
    const vantrel::CommandLine commandLine =
        vantrel::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (commandLine.action) {
        case vantrel::CommandLine::Action::ShowHelp:
            std::fputs(vantrel::commandLineUsage(argv[0]).c_str(), stdout);
            return 0;
        case vantrel::CommandLine::Action::ShowVersion:
            std::puts("vantrel " VANTREL_VERSION);
            return 0;
        case vantrel::CommandLine::Action::Refuse:
            std::fprintf(stderr, "vantrel: %s (try --help)\n", commandLine.error.c_str());
            return 2;
        case vantrel::CommandLine::Action::OpenWindow:
            break;
    }

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
