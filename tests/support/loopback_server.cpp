#include "support/loopback_server.h"

#include "support/request_head.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <utility>

namespace vantrel::testing {

LoopbackSocket::LoopbackSocket() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(socket_);
        throw std::runtime_error("loopback socket: cannot bind on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
}

LoopbackSocket::~LoopbackSocket() {
    ::close(socket_);
}

LoopbackServer::LoopbackServer(const std::function<void(httplib::Server&)>& routes) {
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        const std::lock_guard<std::mutex> lock(targetsMutex_);
        targets_.push_back(request.target);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    routes(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        throw std::runtime_error("loopback server: no free port on 127.0.0.1");
    }
    // The socket already listens, so clients may connect at once; the accept loop follows.
    thread_ = std::thread([this] {
        server_.listen_after_bind();
        loopEnded_ = true;
    });
    // stop() only takes effect once the loop runs: wait for it, or the destructor could hang.
    while (!server_.is_running() && !loopEnded_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LoopbackServer::~LoopbackServer() {
    server_.stop();
    thread_.join();
}

std::vector<std::string> LoopbackServer::targets() const {
    const std::lock_guard<std::mutex> lock(targetsMutex_);
    return targets_;
}

RawReplyServer::RawReplyServer(std::map<std::string, RawReply> replies)
    : replies_(std::move(replies)) {
    if (::listen(socket_, 8) != 0) {
        throw std::runtime_error("raw reply server: cannot listen on 127.0.0.1");
    }
    thread_ = std::thread([this] {
        for (int connection; !stopping_;) {
            if ((connection = ::accept(socket_, nullptr, nullptr)) >= 0) {
                serve(connection);
            }
        }
    });
}

RawReplyServer::~RawReplyServer() {
    stopping_ = true;
    ::shutdown(socket_, SHUT_RDWR);  // wakes the blocked accept()
    thread_.join();
}

std::vector<std::string> RawReplyServer::requests() const {
    const std::lock_guard<std::mutex> lock(requestsMutex_);
    return requests_;
}

void RawReplyServer::serve(int connection) {
    const timeval patience{2, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    const std::string head = readRequestHead(connection);
    {
        const std::lock_guard<std::mutex> lock(requestsMutex_);
        requests_.push_back(head);
    }
    const auto found = replies_.find(requestTarget(head));
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
