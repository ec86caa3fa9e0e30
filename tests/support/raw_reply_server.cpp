#include "support/raw_reply_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <utility>

namespace vantrel::testing {

RawReplyServer::RawReplyServer(std::map<std::string, RawReply> replies)
    : replies_(std::move(replies)), listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::listen(listener_, 8) != 0) {
        ::close(listener_);
        throw std::runtime_error("raw reply server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
        for (int connection; !stopping_;) {
            if ((connection = ::accept(listener_, nullptr, nullptr)) >= 0) {
                serve(connection);
            }
        }
    });
}

RawReplyServer::~RawReplyServer() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR);  // wakes the blocked accept()
    thread_.join();
    ::close(listener_);
}

QString RawReplyServer::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

std::vector<std::string> RawReplyServer::requests() const {
    const std::lock_guard<std::mutex> lock(requestsMutex_);
    return requests_;
}

void RawReplyServer::serve(int connection) {
    const timeval patience{2, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    std::string head;
    char buffer[4096];
    for (ssize_t got; head.find("\r\n\r\n") == std::string::npos &&
                      (got = ::recv(connection, buffer, sizeof buffer, 0)) > 0;) {
        head.append(buffer, static_cast<size_t>(got));
    }
    {
        const std::lock_guard<std::mutex> lock(requestsMutex_);
        requests_.push_back(head);
    }
    // "GET /target HTTP/1.1": the target stands between the first two blanks.
    const size_t start = head.find(' ') + 1;
    const auto found = replies_.find(head.substr(start, head.find(' ', start) - start));
    if (found != replies_.end()) {
        // A blocking send returns once all is sent, or the client has gone.
        ::send(connection, found->second.bytes.data(), found->second.bytes.size(), MSG_NOSIGNAL);
        if (found->second.reset) {
            const linger abortive{1, 0};
            ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        }
    }
    ::close(connection);
}

}  // namespace vantrel::testing
