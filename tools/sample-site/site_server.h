#pragma once

#include "sample-site/catalogue.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace httplib {
class Server;
}

namespace vantrel::site {

// One line of the request log: client, method, target, status and body size. Bytes that
// could upset a terminal (control characters) are written as %XX.
std::string requestLogLine(std::string_view client, std::string_view method,
                           std::string_view target, int status, std::size_t bodyBytes);

// The site on a socket: GET and HEAD answered by respond(), every other method 404.
// Requests run on the HTTP library's worker threads and share the read-only catalogue.
class SiteServer {
public:
    using LogSink = std::function<void(const std::string& line)>;

    // The catalogue must outlive the server. The log sink is called once per request, from
    // the worker threads.
    SiteServer(const Catalogue& catalogue, std::string siteName, LogSink log = {});
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Binds host:port, port 0 for any free port. Returns the port bound, or -1.
    int bind(const std::string& host, int port);
    // Serves the bound socket until stop(); false when it could not serve at all.
    bool serve();
    // Ends serve() when it is running; a no-op before it runs and after it returned.
    void stop();
    bool isRunning() const;

private:
    const Catalogue& catalogue_;
    std::string siteName_;
    std::unique_ptr<httplib::Server> http_;
};

}  // namespace vantrel::site
