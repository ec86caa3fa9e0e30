#include "app/bundled_site.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <netdb.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <utility>

namespace vantrel {
namespace {

constexpr int kStartMilliseconds = 10000;  // the site lists its address once its catalogue loaded
constexpr int kStopMilliseconds = 3000;

// Whether anything accepts a connection on host:port. On the loopback interface the answer is
// immediate: a refusal or an accepted connection.
bool somethingAnswers(const QString& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints,
                    &found) != 0) {
        return false;
    }
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, &freeaddrinfo);
    for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
        const int socket =
            ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
        if (socket < 0) {
            continue;
        }
        const bool connected = ::connect(socket, address->ai_addr, address->ai_addrlen) == 0;
        ::close(socket);
        if (connected) {
            return true;
        }
    }
    return false;
}

QUrl siteUrl(const QString& host) {
    return QUrl(QStringLiteral("http://") + host, QUrl::StrictMode);
}

}  // namespace

bool isLoopbackHost(const QString& host) {
    const QUrl url = siteUrl(host);
    if (!url.isValid() || !url.path().isEmpty() || url.host().isEmpty()) {
        return false;
    }
    const QString name = url.host();
    if (name == QLatin1String("localhost") || name == QLatin1String("::1")) {
        return true;
    }
    // 127.0.0.0/8, written as four numbers: "127.0.0.1.example.org" is somebody else's.
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts.front() != QLatin1String("127")) {
        return false;
    }
    for (const QString& part : parts) {
        bool ok = false;
        const int number = part.toInt(&ok);
        if (!ok || number < 0 || number > 255) {
            return false;
        }
    }
    return true;
}

BundledSite::BundledSite(QString host, QString program)
    : host_(std::move(host)), program_(std::move(program)) {}

BundledSite::~BundledSite() {
    stop();
}

QString BundledSite::besideThisProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/vantrel-site");
}

void BundledSite::startIfNeeded() {
    if (process_ || !isLoopbackHost(host_)) {
        return;
    }
    const QUrl url = siteUrl(host_);
    const int port = url.port(80);
    if (somethingAnswers(url.host(), port)) {
        return;  // another window's site, or one the user runs: not ours to start or stop
    }
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);  // its log goes with ours
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setChildProcessModifier([parent = getpid()] {
        // In the child, before exec. The signal comes when the thread that started the child
        // ends, here the window's own; a parent gone before the call would never send it.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) {
            _exit(127);
        }
    });
    process_->start(program_, {QStringLiteral("--host"), url.host(), QStringLiteral("--port"),
                               QString::number(port)});
    // The first search may come at once: wait for the line that says the site listens.
    while (!process_->canReadLine() && process_->waitForReadyRead(kStartMilliseconds)) {
    }
    if (!process_->canReadLine()) {
        std::fprintf(stderr, "vantrel: %s did not start: %s\n", qPrintable(program_),
                     qPrintable(process_->errorString()));
        stop();
    }
}

void BundledSite::stop() {
    if (!process_) {
        return;
    }
    process_->terminate();  // the site ends cleanly on SIGTERM
    if (!process_->waitForFinished(kStopMilliseconds)) {
        process_->kill();
        process_->waitForFinished(kStopMilliseconds);
    }
    process_.reset();
}

}  // namespace vantrel
