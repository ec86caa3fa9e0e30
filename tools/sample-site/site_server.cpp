#include "sample-site/site_server.h"

#include "sample-site/site_routes.h"

#include <httplib.h>

#include <sys/socket.h>

namespace vantrel::site {

std::string requestLogLine(std::string_view client, std::string_view method,
                           std::string_view target, int status, std::size_t bodyBytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string safeTarget;
    safeTarget.reserve(target.size());
    for (char c : target) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            safeTarget += '%';
            safeTarget += kHex[byte >> 4];
            safeTarget += kHex[byte & 0xf];
        } else {
            safeTarget += c;
        }
    }
    std::string line(client);
    line += ' ';
    line += method;
    line += ' ';
    line += safeTarget;
    line += ' ';
    line += std::to_string(status);
    line += ' ';
    line += std::to_string(bodyBytes);
    return line;
}

SiteServer::SiteServer(const Catalogue& catalogue, std::string siteName, LogSink log)
    : catalogue_(catalogue),
      siteName_(std::move(siteName)),
      http_(std::make_unique<httplib::Server>()) {
    // The library's default shares the port with any other server (SO_REUSEPORT), so a second
    // copy of the site would start without a word and take half the requests. Only reuse an
    // address still in TIME_WAIT, so that a restart is immediate and a busy port is an error.
    http_->set_socket_options([](int socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    // Headers and body go out in separate writes: without this, each answer on a kept-alive
    // connection waits for the client's delayed acknowledgement (tens of milliseconds).
    http_->set_tcp_nodelay(true);
    // Routing is ours (respond() works on the raw target), so the library's path patterns,
    // which see the already-decoded path, play no part.
    http_->set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            if (request.method != "GET" && request.method != "HEAD") {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            SiteResponse answer = respond(catalogue_, siteName_, request.target);
            response.status = answer.status;
            response.set_content(std::move(answer.body), answer.contentType.c_str());
            return httplib::Server::HandlerResponse::Handled;
        });
    if (log) {
        http_->set_logger([log = std::move(log)](const httplib::Request& request,
                                                 const httplib::Response& response) {
            log(requestLogLine(request.remote_addr, request.method, request.target, response.status,
                               response.body.size()));
        });
    }
}

SiteServer::~SiteServer() {
    stop();
}

int SiteServer::bind(const std::string& host, int port) {
    if (port == 0) {
        return http_->bind_to_any_port(host);
    }
    return http_->bind_to_port(host, port) ? port : -1;
}

bool SiteServer::serve() {
    return http_->listen_after_bind();
}

void SiteServer::stop() {
    http_->stop();
}

bool SiteServer::isRunning() const {
    return http_->is_running();
}

}  // namespace vantrel::site
