#pragma once

// A loopback site that serves result pages as the subtitle site does (UTF-8, its length announced,
// nothing compressed), from a process of its own: neither its copies of the pages nor its work
// count to the window that is measured. It forks, so it must start before the QApplication and
// before any thread.
#include "support/request_head.h"  // tests/support
#include "support/result_page.h"

#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel::bench {

class PageSite {
public:
    // Serves makePage(n) at url(n) for every n given; ready once the constructor returns.
    explicit PageSite(const std::vector<int>& recordCounts) {
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        int ready[2];
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::listen(listener, 8) != 0 || ::pipe(ready) != 0) {
            throw std::runtime_error("page site: no loopback socket");
        }
        port_ = ntohs(address.sin_port);
        child_ = ::fork();
        if (child_ < 0) {
            throw std::runtime_error("page site: cannot fork");
        }
        if (child_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the benchmark
            ::close(ready[0]);
            serve(listener, ready[1], recordCounts);
        }
        ::close(listener);
        ::close(ready[1]);
        char done = 0;
        const bool started = ::read(ready[0], &done, 1) == 1;
        ::close(ready[0]);
        if (!started) {
            throw std::runtime_error("page site: the server did not start");
        }
    }
    ~PageSite() {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
    }
    PageSite(const PageSite&) = delete;
    PageSite& operator=(const PageSite&) = delete;

    QString url(int records) const {
        return QStringLiteral("http://127.0.0.1:%1/page/%2").arg(port_).arg(records);
    }

private:
    [[noreturn]] static void serve(int listener, int ready, const std::vector<int>& recordCounts) {
        std::map<std::string, std::string> replies;
        for (const int records : recordCounts) {
            const QByteArray body = makePage(records).toUtf8();
            replies["/page/" + std::to_string(records)] =
                "HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=utf-8\r\nContent-Length: " +
                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body.toStdString();
        }
        const char done = 1;
        (void)!::write(ready, &done, 1);
        ::close(ready);
        for (;;) {
            const int connection = ::accept(listener, nullptr, nullptr);
            if (connection < 0) {
                continue;
            }
            const auto found =
                replies.find(testing::requestTarget(testing::readRequestHead(connection)));
            if (found != replies.end()) {
                const std::string& reply = found->second;
                for (size_t sent = 0; sent < reply.size();) {
                    const ssize_t n =
                        ::send(connection, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
                    if (n <= 0) {
                        break;
                    }
                    sent += static_cast<size_t>(n);
                }
            }
            ::close(connection);
        }
    }

    int port_ = 0;
    pid_t child_ = -1;
};

}  // namespace vantrel::bench
