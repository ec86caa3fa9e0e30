#include "app/bundled_site.h"
#include "app/command_line.h"
#include "base/version.h"
#include "desktop/message_box.h"
#include "desktop/shell.h"
#include "grid/grid.h"
#include "http/curl_http_client.h"
#include "release/video_file.h"
#include "subtitles/subtitle_commands.h"
#include "window/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

// How ./scripts/check-package drives one search through the packaged program without a desktop
// (VANTREL_CHECK_SEARCH=keyword, under the offscreen platform): the result rows go to standard
// output, one tab-separated line each, and the window closes. Not a user's option.
void searchOnceAndClose(vantrel::Form1& window, const QString& keyword) {
    window.Text4->setText(keyword);
    window.goCmd->click();
    vantrel::Grid& grid = *window.Grid1;
    for (int row = 1; row < grid.Rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.Cols(); ++col) {
            cells << grid.Cell(row, col).Text();
        }
        std::puts(cells.join(QLatin1Char('\t')).toUtf8().constData());
    }
    std::fflush(stdout);
    window.close();
}

// --list-subtitles and --place: their output in UTF-8, their exit code.
int runSubtitleCommand(const vantrel::CommandLine& commandLine) {
    const auto path = [&commandLine](std::size_t index) {
        return index < commandLine.files.size()
                   ? vantrel::videoPathFromArgument(
                         QByteArray::fromStdString(commandLine.files[index]))
                   : QString();
    };
    vantrel::CommandOutput output;
    if (commandLine.action == vantrel::CommandLine::Action::ListSubtitles) {
        output = vantrel::listSubtitlesCommand(path(0), path(1));
    } else {
        std::optional<QString> entry;
        if (commandLine.files.size() > 2) {
            entry = QString::fromUtf8(QByteArray::fromStdString(commandLine.files[2]));
        }
        output = vantrel::placeSubtitleCommand(path(0), path(1), entry, commandLine.replace);
    }
    const QByteArray out = output.out.toUtf8();
    const QByteArray error = output.error.toUtf8();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    std::fwrite(error.constData(), 1, static_cast<size_t>(error.size()), stderr);
    return output.exitCode;
}

}  // namespace

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
        case vantrel::CommandLine::Action::PrintKeywords:
            for (const std::string& file : commandLine.files) {
                const QString path =
                    vantrel::videoPathFromArgument(QByteArray::fromStdString(file));
                const QByteArray line =
                    vantrel::keywordLine(vantrel::parseReleaseName(path)).toUtf8();
                std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
                std::fputc('\n', stdout);
            }
            return 0;
        case vantrel::CommandLine::Action::ListSubtitles:
        case vantrel::CommandLine::Action::PlaceSubtitle:
            return runSubtitleCommand(commandLine);
        case vantrel::CommandLine::Action::OpenWindow:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setDesktopFileName(QStringLiteral("vantrel"));

    const vantrel::SiteConfig site = vantrel::SiteConfig::compiledIn();
    vantrel::CurlHttpClient http;
    vantrel::DesktopShell shell;
    vantrel::QtMessageBox messages;
    vantrel::BundledSite bundledSite(site.host, vantrel::BundledSite::besideThisProgram());
    vantrel::Form1 window(vantrel::Platform{http, shell, messages, &bundledSite}, site);
    window.show();
    if (!commandLine.files.empty()) {
        // Once the window is up, as if the file had been dropped on it.
        const QString path =
            vantrel::videoPathFromArgument(QByteArray::fromStdString(commandLine.files.front()));
        QMetaObject::invokeMethod(
            &window, [&window, path] { window.searchVideoFile(path); }, Qt::QueuedConnection);
    }
    const QString checkKeyword = qEnvironmentVariable("VANTREL_CHECK_SEARCH");
    if (!checkKeyword.isEmpty()) {
        QTimer::singleShot(0, &window,
                           [&window, checkKeyword] { searchOnceAndClose(window, checkKeyword); });
    }
    return QApplication::exec();
}
