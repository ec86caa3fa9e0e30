#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace vantrel::testing {

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

QString LoopbackServer::host() const {
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString LoopbackServer::baseUrl() const {
    return QStringLiteral("http://") + host();
}

std::vector<std::string> LoopbackServer::targets() const {
    const std::lock_guard<std::mutex> lock(targetsMutex_);
    return targets_;
}

ClosedPort::ClosedPort() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(socket_);
        throw std::runtime_error("closed port: cannot bind on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
}

ClosedPort::~ClosedPort() {
    ::close(socket_);
}

QString ClosedPort::baseUrl() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(port_);
}

}  // namespace vantrel::testing
